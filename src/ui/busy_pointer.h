#pragma once
// The busy mouse pointer for the lifetime of the scope, the normal one again however the
// scope ends.
#include <QGuiApplication>

namespace tarn::ui {

class BusyPointer {
public:
    BusyPointer() { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }
    ~BusyPointer() { QGuiApplication::restoreOverrideCursor(); }
    BusyPointer(const BusyPointer&) = delete;
    BusyPointer& operator=(const BusyPointer&) = delete;
};

}  // namespace tarn::ui
