#include "ui/screens.h"

#include "ui/annual_screen.h"
#include "ui/calibrate_screen.h"
#include "ui/catchment_screen.h"
#include "ui/compare_screen.h"
#include "ui/detail_screen.h"
#include "ui/etref_screen.h"
#include "ui/get_rain_screen.h"
#include "ui/ini_cond_screen.h"
#include "ui/input_chart_screen.h"
#include "ui/main_menu_screen.h"
#include "ui/monthly_screen.h"
#include "ui/navigation.h"
#include "ui/new_project_screen.h"
#include "ui/output2_screen.h"
#include "ui/output_screen.h"
#include "ui/period_screen.h"
#include "ui/run_screen.h"
#include "ui/seven_day_screen.h"
#include "ui/soil_classes_screen.h"
#include "ui/soil_screen.h"
#include "ui/soil_table_screen.h"
#include "ui/vegetation_classes_screen.h"
#include "ui/vegetation_screen.h"
#include "ui/vegetation_table_screen.h"
#include "ui/welcome_screen.h"

namespace tarn::ui {

void registerScreens(Navigation& nav) {
    nav.registerScreen<WelcomeScreen>("frmMain");
    nav.registerScreen<MainMenuScreen>("frmAMain");
    nav.registerScreen<DetailScreen>("frmDetail");
    nav.registerScreen<CatchmentScreen>("frmCatchment");
    nav.registerScreen<GetRainScreen>("frmGetRain");
    nav.registerScreen<EtrefScreen>("frmEtref");
    nav.registerScreen<InputChartScreen>("frmChartP");
    nav.registerScreen<SoilScreen>("frmSoilPara");
    nav.registerScreen<SoilClassesScreen>("frmSoilParaSet");
    nav.registerScreen<SoilTableScreen>("frmSoilDataStore");
    nav.registerScreen<VegetationScreen>("frmVege");
    nav.registerScreen<VegetationClassesScreen>("frmVegeParaSet");
    nav.registerScreen<VegetationTableScreen>("frmVegeDataStore");
    nav.registerScreen<IniCondScreen>("frmIniCond");
    nav.registerScreen<MonthlyScreen>("frmTotalflows");
    nav.registerScreen<AnnualScreen>("frmAnnual");
    nav.registerScreen<AnnualDepthScreen>("frmAnnualTotmm");
    nav.registerScreen<SevenDayScreen>("frmMiniFlows");
    nav.registerScreen<PeriodScreen>("frmMiniFlow");
    nav.registerScreen<RunScreen>("frmRunModel");
    nav.registerScreen<OutputScreen>("frmOutput");
    nav.registerScreen<Output2Screen>("frmOutput_2");
    nav.registerScreen<CalibrateScreen>("frmCalibrate");
    nav.registerScreen<CompareScreen>("frmCompare");
    nav.registerScreen<NewProjectScreen>("frmNewProject");
}

}  // namespace tarn::ui
