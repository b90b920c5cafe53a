#pragma once
// What the timed benchmarks of widgets share.
#include <QApplication>
#include <QElapsedTimer>
#include <QWidget>
#include <functional>

namespace tarn::bench {

// Shows or repaints a widget and waits until it has painted.
inline void paintNow(QWidget& w) {
    if (!w.isVisible()) w.show();
    QApplication::processEvents();
    w.repaint();
    QApplication::processEvents();
}

// Milliseconds that f takes.
inline double timed(const std::function<void()>& f) {
    QElapsedTimer t;
    t.start();
    f();
    return double(t.nsecsElapsed()) / 1e6;
}

}  // namespace tarn::bench
