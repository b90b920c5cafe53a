// Every screen opens with every named control of its form, with its caption, accessible
// names and room for its texts.
#include <QAbstractButton>
#include <QAccessible>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpression>
#include <QTest>
#include <QTimer>
#include <vector>

#include <QProgressBar>

#include "ui/model_schematic.h"
#include "ui/progress_window.h"
#include "ui_session.h"

using namespace tarn::ui;
using namespace tarn::ui::test;

namespace {

// A named control of a form: its class and, where it shows one, its caption and tool tip
// (written as the form's designer wrote them: "&" marks an accelerator, "&&" shows "&").
struct Control {
    QString name;
    const char* type;
    QString caption = {};
    QString toolTip = {};
};

struct Form {
    QString form;
    std::vector<Control> controls;
};

// Element 0..count-1 of a control array, but for the elements `missing`.
std::vector<Control> array(const QString& name, int count, const char* type, const QList<int>& missing = {}) {
    std::vector<Control> list;
    for (int e = 0; e < count; ++e)
        if (!missing.contains(e)) list.push_back({name + '_' + QString::number(e), type});
    return list;
}

// Labels X_0..X_9 of the sub-areas' rows or columns: "A1".."A10".
std::vector<Control> subAreaLabels(const QString& name) {
    std::vector<Control> list;
    for (int e = 0; e < 10; ++e) list.push_back({name + '_' + QString::number(e), "QLabel", "A" + QString::number(e + 1)});
    return list;
}

std::vector<Control> operator+(std::vector<Control> a, const std::vector<Control>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

// Arrays X1_0 .. Xn_{count-1} (or X1S_0 .. with a suffix S): one array of `count` elements
// for each of n rows.
std::vector<Control> arrays(const QString& name, int n, int count, const char* type, const QString& suffix = {},
                            const QList<int>& missing = {}) {
    std::vector<Control> list;
    for (int k = 1; k <= n; ++k)
        for (const Control& c : array(name + QString::number(k) + suffix, count, type))
            if (!missing.contains(c.name.section('_', -1).toInt())) list.push_back(c);
    return list;
}

// Labels X_0..X_{n-1} with these captions.
std::vector<Control> labels(const QString& name, const QStringList& captions) {
    std::vector<Control> list;
    for (int e = 0; e < captions.size(); ++e) list.push_back({name + '_' + QString::number(e), "QLabel", captions[e]});
    return list;
}

// The controls both output screens have; `captions`: the area, rainfall-scale and baseflow
// index labels.
std::vector<Control> outputCommon(const QString& frame, const QStringList& captions) {
    return std::vector<Control>{
               {"chtSample", "tarn::ui::ChartControl"},
               {"txtMessage", "QLineEdit"},
               {frame, "QGroupBox"},
               {"lblLowerLimit", "QLabel", "&From"},
               {"cmbLowerLimit", "QComboBox"},
               {"lblUpperLimit", "QLabel", "&To"},
               {"cmbUpperLimit", "QComboBox"},
               {"cmbDaystoSee", "QComboBox"},
               {"txtMaxNoDays", "QLineEdit"},
               {"chkSeriesOut_0", "QCheckBox", "R&ainfall     (total  in mm)"},
               {"chkSeriesOut_1", "QCheckBox", "Total &profile store    (mm)"},
               {"chkSeriesOut_2", "QCheckBox", "Soil &drainage    (mm)"},
               {"chkSeriesOut_3", "QCheckBox", "&Modelled streamflow    (mm)"},
               {"chkSeriesOut_4", "QCheckBox", "Measured streamf&low  (mm)"},
               {"lblArea", "QLabel", captions[0]},
               {"lblRscale", "QLabel", captions[1]},
               {"lblBFlow", "QLabel", captions[2]},
               {"txtBFlow", "QLineEdit"},
               {"lblResCoef", "QLabel", "Re&cession coefficient"},
               {"txtResCoef", "QLineEdit"},
               {"grpFit", "QGroupBox", "Fit to measured streamflow"},
               {"lblFitFrom", "QLabel", "Fr&om"},
               {"txtFitFrom", "QLineEdit"},
               {"lblFitTo", "QLabel", "&Until"},
               {"txtFitTo", "QLineEdit"},
               {"lblFitFirst", "QLabel"},
               {"lblFitLast", "QLabel"},
               {"lblFitMissing", "QLabel"},
               {"chkDuration", "QCheckBox", "Flo&w duration curve"},
               {"chtDuration", "tarn::ui::DurationChart"},
               {"cmdRefresh", "QPushButton", "&Rerun"},
               {"cmdCalibrate", "QPushButton", "&Calibrate..."},
               {"cmdexitoutput", "QPushButton", "&Back"},
               {"Command1", "QPushButton", "E&xit"}} +
           array("txtArea", 10, "QLineEdit") + array("txtRscale", 10, "QLineEdit");
}

// What the annual and seven-day screens share: the year type options, Show me, the paging
// arrows and the captions over the first-run and last-run blocks.
std::vector<Control> yearTables(const QString& calendar, const QString& water, const QString& showMe,
                                const QString& previous, const QString& next) {
    std::vector<Control> list{{calendar, "QRadioButton", "&Calendar year"},
                              {water, "QRadioButton", "&Water year"},
                              {showMe, "QPushButton", "&Show me"},
                              {previous, "QToolButton"},
                              {next, "QToolButton"},
                              {"lblFirstRun", "QLabel", "First run"},
                              {"lblLastRun", "QLabel", "Last run"},
                              {"lblYearFirst", "QLabel", "Year"}};
    return list;
}

// The sub-area tables of the annual volume and seven-day screens: year columns txtflow3A..
// txtflow10A (first run) and txtflow11A..txtflow18A (last run) of ten sub-areas, and the
// year over each column.
std::vector<Control> subAreaYearTables() {
    std::vector<Control> list{{"lblAreaHead", "QLabel", "Sub area (ha)"},
                              {"lblTotArea", "QLabel", "Total area (ha)"},
                              {"txtTotArea", "QLineEdit"}};
    for (int c = 3; c <= 18; ++c) list = list + array("txtflow" + QString::number(c) + "A", 10, "QLineEdit");
    return list + array("lblSubYear", 16, "QLabel");
}

// The forms and their controls. A new screen adds its form here.
const std::vector<Form>& forms() {
    static const std::vector<Form> table{
        {"frmMain",
         {{"cmdNext_1", "QPushButton", "&Next"},
          {"cmdExit", "QPushButton", "E&xit"},
          {"lblTitle", "QLabel", "Welcome to the TARNFLOW  model"},
          {"lblVersion", "QLabel", "V3.1"},
          {"lblIllustrated", "QLabel", "Parameters used in the model are illustrated below"},
          {"picModel", "tarn::ui::ModelSchematic"}}},
        {"frmAMain",
         std::vector<Control>{
             {"cmdInputDatafile", "QPushButton", "Input data file", "Input data file (Excel)"},
             {"cmdDefineArea", "QPushButton", "Define area (s)", "Define total area and sub areas as % of total area"},
             {"cmdInputRainData", "QPushButton", "Rainfall",
              "Capture the rainfall data & edit if required and define the rainfall scale for each sub area"},
             {"CmdInputEtrefData", "QPushButton", "Evapotranspiration ", "Capture the Etref data and edit if rwquired"},
             {"cmdSoilParameters", "QPushButton", "Soil ", "Select the soil parameters"},
             {"cmdVegeParametsrs", "QPushButton", "Vegetation ", "Select the vegetation parameters"},
             {"cmdIniConditions", "QPushButton", "Initial conditions ", "Define the initial conditions"},
             {"cmdRunandDisplay", "QPushButton", "Run - Display -Save"},
             {"cmdExit", "QPushButton", "Exit"}} +
             array("lbl_button", 8, "QLabel")},
        {"frmDetail",
         {{"cmdTemplt", "QPushButton", "&Input data file &",
           "Click On to select the Template & Data input Excel file  (your input data and parameters are in this "
           "EXCEL file)"},
          {"fraSelectFile", "QGroupBox", "Select the Input data file "},
          {"txtTemplate", "QLineEdit"},
          {"fraProjectDetails", "QGroupBox", "Project details"},
          {"txtPrjName", "QLineEdit"},
          {"lblPrjName", "QLabel", "Project Name && Location :"},
          {"txtOperName", "QLineEdit"},
          {"lblOperName", "QLabel", "Operator:"},
          {"txtlastrun", "QLineEdit"},
          {"lblLastRun", "QLabel", "Last run on:"},
          {"lblTimeNow", "QLabel"},
          {"lblTime", "QLabel", "Time:"},
          {"txtMessage", "QLineEdit"},
          {"Timer1", "QTimer"},
          {"cmbRecent", "QComboBox"},
          {"lblRecent", "QLabel", "&Recent workbooks:"},
          {"cmdNewProject", "QPushButton", "New project from &CSV..."},
          {"cmdNext_2", "QPushButton", "&Next"},
          {"cmdBack2", "QPushButton", "&Back"},
          {"cmdExit3", "QPushButton", "E&xit"}}},
        {"frmCatchment",
         std::vector<Control>{
             {"fraCatchmentDetails", "QGroupBox", "Catchment Details"},
             {"lblTotalArea", "QLabel", "Total Catchment Area  (ha) :"},
             {"txtTotalArea", "QLineEdit"},
             {"fraSubAreas", "QGroupBox",
              "Enter (%) of  the area of each sub catchment :   Total area must add up to 100%"},
             {"txtStatus", "QLineEdit"},
             {"Command1", "QPushButton", "&Capture data"},
             {"cmdNext_3", "QPushButton", "&Next"},
             {"cmdBack3", "QPushButton", "&Back"},
             {"cmdExit2", "QPushButton", "E&xit"}} +
             array("cmbArea", 10, "QComboBox") + subAreaLabels("lblArea")},
        {"frmGetRain",
         std::vector<Control>{
             {"lblRainFile", "QLabel", "Data from  :"},
             {"txtRainFile", "QLineEdit"},
             {"chkRainseries", "QCheckBox", "Rainfall data series"},
             {"chkStreamflow", "QCheckBox", "Measured streamflow data series"},
             {"cmdCapRain", "QPushButton", "&Capture Data"},
             {"fraRainScale", "QGroupBox", "Rainfall scaling factors for each catchment area"},
             {"txtStatus2", "QLineEdit"},
             {"cmdNext_4", "QPushButton", "&Next"},
             {"cmdBack4", "QPushButton", "&Back"},
             {"cmdExit5", "QPushButton", "&Exit"}} +
             array("cmbRainScale", 10, "QComboBox") + subAreaLabels("lblRainScale")},
        {"frmEtref",
         {{"fraEtref", "QGroupBox", "Reference evaporation"},
          {"lblEtrefFile", "QLabel", "Etref data is from :"},
          {"txtEtrefFile", "QLineEdit"},
          {"fraEtrefChoice", "QGroupBox", "Select monthly or daily reference evaporation "},
          {"OptDaily", "QRadioButton", "Daily reference evapotranspiration"},
          {"OptMonthly", "QRadioButton", "Monthly reference evapotranspiration "},
          {"cmdCapEtrefData", "QPushButton", "&Capture data"},
          {"txtMessage3", "QLineEdit"},
          {"cmdNext_5", "QPushButton", "&Next"},
          {"cmdBack5", "QPushButton", "&Back"},
          {"cmdExit4", "QPushButton", "&Exit"}}},
        {"frmChartP",
         {{"chtSampleP", "tarn::ui::ChartControl"},
          {"cmbType", "QComboBox"},
          {"lblRowsRain", "QLabel", "Columns to show"},
          {"cmbRowsRain", "QComboBox"},
          {"lblMaxrows", "QLabel", "Max. columns"},
          {"txtMaxrows", "QLineEdit"},
          {"cmdNewSet", "QPushButton", "New settings"},
          {"cmdBack4", "QPushButton", "BACK"},
          {"cmdExit3", "QPushButton", "Exit"},
          {"Text2", "QLineEdit"},
          {"cmbSeries", "QComboBox"},
          {"cmbXaxix", "QComboBox"}}},
        {"frmIniCond",
         std::vector<Control>{
             {"fraIniCondFile", "QGroupBox", "Initial conditions"},
             {"lblIniCond", "QLabel", "Initial Conditions from :"},
             {"txtIniCond", "QLineEdit"},
             {"fraIniGrid", "QGroupBox", "Enter initial conditions for each sub area"},
             {"lblIniHead_0", "QLabel", "Toplayer water content  mm"},
             {"lblIniHead_1", "QLabel", "   Total water        content      mm"},
             {"lblIniHead_2", "QLabel", "      Baseflow             content          mm"},
             {"cmdCapture", "QPushButton", "Capture Data"},
             {"txtMessage", "QLineEdit"},
             {"cmdNext_8", "QPushButton", "&Next"},
             {"cmdBack8", "QPushButton", "&Back"},
             {"cmdExit5", "QPushButton", "&Exit"}} +
             array("txtIni1", 3, "QLineEdit") + array("txtIni2", 3, "QLineEdit") + array("txtIni3", 3, "QLineEdit") +
             array("txtIni4", 3, "QLineEdit") + array("txtIni5", 3, "QLineEdit") + array("txtIni6", 3, "QLineEdit") +
             array("txtIni7", 3, "QLineEdit") + array("txtIni8", 3, "QLineEdit") + array("txtIni9", 3, "QLineEdit") +
             array("txtIni10", 3, "QLineEdit") + subAreaLabels("lblIni")},
        {"frmSoilPara",
         std::vector<Control>{
             {"fraSubAreas", "QGroupBox"},
             {"lblTAW", "QLabel", "Total available  water (TAW) mm"},
             {"lblRAW", "QLabel", "Readily available  water (RAW) mm"},
             {"lblTopStore", "QLabel", "Toplayer store                     mm"},
             {"fraBaseflow", "QGroupBox", "Baseflow parameters"},
             {"lblBFlow", "QLabel", "   Base flow  index  (BFI) :"},
             {"txtBFlow", "QLineEdit"},
             {"lblResCoef", "QLabel", "Recession coefficient  :"},
             {"txtResCoef", "QLineEdit"},
             {"fraSource", "QGroupBox", "Get soil parameters from the Input data file or the data base"},
             {"optFromDataFile", "QRadioButton"},
             {"optFromList", "QRadioButton", " Get soil parameters from the data base"},
             {"lblFileName", "QLabel"},
             {"txtSoilParaFile", "QLineEdit"},
             {"cmdGetSoilPara", "QPushButton", "&Select data source"},
             {"cmdUpdateNew", "QPushButton", "&Capture data"},
             {"txtMessage2", "QLineEdit"},
             {"cmdNext_6", "QPushButton", "&Next"},
             {"cmdBack6", "QPushButton", "&Back"},
             {"cmdExit8", "QPushButton", "&Exit"}} +
             arrays("txtSoil", 10, 3, "QLineEdit") + subAreaLabels("lblArea")},
        {"frmSoilParaSet",
         std::vector<Control>{
             {"fraSoilType", "QGroupBox", "Select soil type for each sub area"},
             {"txtResetSoil", "QLineEdit"},
             {"cmdResetSoilData", "QPushButton", "&Update"},
             {"cmdSoilType", "QPushButton", "Check the soil data &Base"},
             {"cmdBack6_2", "QPushButton", "&Back"},
             {"cmdExit9", "QPushButton", "&Exit"}} +
             arrays("optA", 10, 5, "QRadioButton", "_S") +
             labels("lblClass", {"Sand", "Sandy loam", "Silt loam", "Clay loam", "Clay"}) + subAreaLabels("lblArea")},
        {"frmSoilDataStore",
         std::vector<Control>{
             {"fraSoilTable", "QGroupBox", "Soil type and baseflow parameter data base (edit && update to save if required)"},
             {"fraBaseflow", "QGroupBox", "Baseflow parameters"},
             {"lblSoilBFlow", "QLabel", "Baseflow  index (BFI) :"},
             {"lblSoilResCoef", "QLabel", "Recession coefficient :"},
             {"txtMessage", "QLineEdit"},
             {"cmdUpdate", "QPushButton", "&Update"},
             {"cmdBack6_3", "QPushButton", "&Back"},
             {"cmdExit7", "QPushButton", "&Exit"}} +
             arrays("txtSoil", 5, 3, "QLineEdit") + array("txtSoilBFlow", 5, "QLineEdit") +
             array("txtSoilResCoef", 5, "QLineEdit") +
             labels("lblClass", {"Sand :", "Sandy Loam :", "Silt loam :", "Clay loam :", "Clay :"})},
        {"frmVege",
         std::vector<Control>{
             {"fraSubAreas", "QGroupBox", "Parameters for sub areas"},
             {"lblIntercept", "QLabel", "Interception fraction"},
             {"lblCropCoef", "QLabel", "Crop coefficient"},
             {"fraSource", "QGroupBox", "Get  vegetation  parameters from the input data file or from the data base"},
             {"optVegeFile", "QRadioButton"},
             {"lblVegeFile", "QLabel"},
             {"optNewVege", "QRadioButton", " Get vegetation parameters from the data base"},
             {"cmdCaptureVege", "QPushButton", "&Select data source"},
             {"cmdUpdateVege", "QPushButton", "&Capture data"},
             {"txtMessage4", "QLineEdit"},
             {"cmdNext_7", "QPushButton", "&Next"},
             {"cmdBack7", "QPushButton", "&Back"},
             {"cmdExit10", "QPushButton", "&Exit"}} +
             arrays("txtVege", 10, 2, "QLineEdit") + subAreaLabels("lblArea")},
        {"frmVegeParaSet",
         std::vector<Control>{
             {"fraVegeClass", "QGroupBox", "Select the vegetation class for each area"},
             {"txtResetVege", "QLineEdit"},
             {"cmdResetVege", "QPushButton", "Update"},
             {"Command2", "QPushButton", "Check the Vegetation data base"},
             {"cmdBack7_2", "QPushButton", "BACK"},
             {"cmdExit12", "QPushButton", "Exit"}} +
             arrays("optVege", 10, 5, "QRadioButton") +
             labels("lblClass", {"Forest old", "Forest young", "Scrub", "Tussock grassland", "Pasture"}) +
             subAreaLabels("lblArea")},
        {"frmVegeDataStore",
         std::vector<Control>{
             {"fraVegeTable", "QGroupBox", "Vegetation parameter data base (edit and update to save)"},
             {"lblIntercept", "QLabel", "Interception fraction"},
             {"lblCropCoef", "QLabel", "Crop coefficient"},
             {"txtMessage", "QLineEdit"},
             {"cmdUpdateVege", "QPushButton", "Update"},
             {"cmdBack7_3", "QPushButton", "&Back"},
             {"cmdExit11", "QPushButton", "Exit"}} +
             arrays("txtVege", 5, 2, "QLineEdit") +
             labels("lblClass", {"Forest old :", "Forest young :", "Scrub :", "Tussock :", "Pasture :"})},
        {"frmRunModel",
         {{"Label1", "QLabel", "Model Parameters"},
          {"cmdRunModel", "QPushButton", "&Run the Model"},
          {"OptTest", "QRadioButton", "Testing &only"},
          {"txtRunComplete", "QLineEdit"},
          {"Frame2", "QGroupBox", "Options to display outputs"},
          {"optNames", "QRadioButton", "Use &generic parameter values", "Ex. evaporation factor as old forest"},
          {"optValues", "QRadioButton", "From data &input file",
           "Input parameters given as values (Ex. evaporation factor = 0.8)"},
          {"chkSeriesOut_1", "QCheckBox", "   R&ainfall"},
          {"chkSeriesOut_2", "QCheckBox", "   Total &profile store"},
          {"chkSeriesOut_3", "QCheckBox", "   Soil &drainage"},
          {"chkSeriesOut_4", "QCheckBox", "   Modelled stream&flow "},
          {"chkSeriesOut_5", "QCheckBox", "   Measured streamf&low"},
          {"cmbChartType", "QComboBox"},
          {"cmbDaysOut", "QComboBox"},
          {"txtMaxDaysOut", "QLineEdit"},
          {"cmdShowMe", "QPushButton", "Sho&w me"},
          {"Frame4", "QGroupBox", "Output in table form"},
          {"cmdNext_9", "QPushButton", "&Monthly total flows"},
          {"cmdAnTot", "QPushButton", "Annual total flows (&vol)"},
          {"cmdAnnualTotmmm", "QPushButton", "An&nual total flow (mm)"},
          {"cmdMinFlows10", "QPushButton", "Minim&um Flows"},
          {"cmdMiniFlow", "QPushButton", "        Minimum flows for a                    sele&cted period"},
          {"Label2", "QLabel", "Save"},
          {"Frame3", "QGroupBox", "Saving to "},
          {"Opttext", "QRadioButton", "To a &text file (fast)",
           "Save model input parameters and variables into EXCEL file as a reusable template and save results to a "
           "Text file"},
          {"OptExcel", "QRadioButton", "To an E&xcel file (slow)",
           "Save input parameters and results to an EXCEL file (this will take more time)"},
          {"cmdSaveOut", "QPushButton", "&Save"},
          {"cmdCompare", "QPushButton", "Compare scena&rios..."},
          {"cmdBack9", "QPushButton", "&Back"},
          {"cmdExit6", "QPushButton", "&Exit"}}},
        {"frmOutput",
         outputCommon("frmout", {"Sub catchment area(%)", "Sub catchment Rainfall scale(%)", "Base flow &index"}) +
             arrays("txtAp_", 10, 10, "QLineEdit", {}, {3, 4}) +
             std::vector<Control>{{"lblAp_0", "QLabel", "Total available  water (mm)"},
                                  {"lblAp_1", "QLabel", "Readily available  water  (mm)"},
                                  {"lblAp_2", "QLabel", "Toplayer capacity  (mm)"},
                                  {"lblAp_5", "QLabel", "Interception fraction"},
                                  {"lblAp_6", "QLabel", "Crop coefficient"},
                                  {"lblAp_7", "QLabel", "Toplayer water  content (mm)"},
                                  {"lblAp_8", "QLabel", "Profile water content mm"},
                                  {"lblAp_9", "QLabel", "Baseflow store content  (mm)"}} +
             subAreaLabels("lblSub")},
        {"frmOutput_2",
         outputCommon("frmout_2", {"Sub catchment area(%)", "Sub catchment R fall (%)", "Baseflow &index"}) +
             arrays("txtAp_", 10, 3, "QLineEdit") + arrays("optA", 10, 5, "QRadioButton", "_SR") +
             arrays("optvege", 10, 5, "QRadioButton", "R") +
             labels("lblSoil", {"Sand", "Silt sand", "Silt loam", "Clay loam ", "Clay"}) +
             labels("lblVege", {"Forest old", "Forest young", "Scrub", "Tussock grass", "Pasture"}) +
             labels("lblAp", {"Toplayer water content mm", "Profile water content mm",
                              "Baseflow   store     content   mm"}) +
             subAreaLabels("lblSub")},
        {"frmCalibrate",
         std::vector<Control>{{"chkParam_0", "QCheckBox", "TAW (mm)"},
                              {"chkParam_8", "QCheckBox", "Baseflow index"},
                              {"chkParam_9", "QCheckBox", "Recession coefficient"},
                              {"cmbObjective", "QComboBox"},
                              {"txtFrom", "QLineEdit"},
                              {"txtUntil", "QLineEdit"},
                              {"txtWarmUp", "QLineEdit"},
                              {"txtEvaluations", "QLineEdit"},
                              {"txtSeed", "QLineEdit"},
                              {"prgCalibrate", "QProgressBar"},
                              {"txtBest", "QLineEdit"},
                              {"chtCalibrate", "tarn::ui::ChartControl"},
                              {"txtMessage", "QLineEdit"},
                              {"cmdStart", "QPushButton", "&Start"},
                              {"cmdStop", "QPushButton", "S&top"},
                              {"cmdApply", "QPushButton", "&Apply"},
                              {"cmdClose", "QPushButton", "&Close"}} +
             array("chkParam", 10, "QCheckBox") + array("cmbForm", 10, "QComboBox") +
             array("cmbSubArea", 10, "QComboBox") + array("txtLo", 10, "QLineEdit") + array("txtHi", 10, "QLineEdit")},
        {"frmCompare",
         {{"txtBase", "QLineEdit"},
          {"lstScenarios", "QListWidget"},
          {"cmdAddScenario", "QPushButton", "&Add scenario..."},
          {"cmdRemoveScenario", "QPushButton", "&Remove"},
          {"cmdCompareRun", "QPushButton", "&Compare"},
          {"prgCompare", "QProgressBar"},
          {"tblCompare", "QTableWidget"},
          {"tblSubAreas", "QTableWidget"},
          {"chtAnnual", "tarn::ui::ChartControl"},
          {"chtDuration", "tarn::ui::DurationChart"},
          {"cmdSaveChart", "QPushButton", "Save c&hart..."},
          {"cmdSaveTable", "QPushButton", "Save &table..."},
          {"txtStatus", "QLineEdit"},
          {"cmdClose", "QPushButton", "C&lose"}}},
        {"frmNewProject",
         {{"txtSeries", "QLineEdit"},
          {"cmdSeries", "QPushButton", "&Browse..."},
          {"txtArea", "QLineEdit"},
          {"txtShares", "QLineEdit"},
          {"txtSoil", "QLineEdit"},
          {"txtVegetation", "QLineEdit"},
          {"txtName", "QLineEdit"},
          {"txtBfi", "QLineEdit"},
          {"txtRecession", "QLineEdit"},
          {"txtStatus", "QLineEdit"},
          {"cmdCreate", "QPushButton", "&Create..."},
          {"cmdCancel", "QPushButton", "Cance&l"}}},
        {"frmTotalflows",
         std::vector<Control>{{"frmMonthTotal", "QGroupBox", "Monthly total streamflow"},
                              {"lblScaleMonth", "QLabel"},
                              {"lblMonth", "QLabel", "Month"},
                              {"lblYear", "QLabel", "Year"},
                              {"lblFirstRun", "QLabel", "First run"},
                              {"lblLastRun", "QLabel", "Last run"},
                              {"lblMeasured", "QLabel", "Measured"},
                              {"cmdLastmonths", "QToolButton"},
                              {"cmdNextmonths", "QToolButton"},
                              {"cmdBack10", "QPushButton", "&Back"},
                              {"cmdExit10", "QPushButton", "E&xit"}} +
             array("txtMonth", 12, "QLineEdit") + array("txtYear1", 12, "QLineEdit") +
             array("txtFlow1", 12, "QLineEdit") + array("txtFlow2", 12, "QLineEdit") +
             array("txtMeasured", 12, "QLineEdit")},
        {"frmAnnual",
         std::vector<Control>{{"Frame2", "QGroupBox", "Annual total streamflow"},
                              {"Command2", "QPushButton", "&Back"},
                              {"lblScale", "QLabel"},
                              {"lblScale2", "QLabel"},
                              {"lblModelledFirst", "QLabel", "Modelled annual total"},
                              {"lblMeasuredFirst", "QLabel", "Measured annual total"},
                              {"lblSubAreaTitle", "QLabel", "Annual total stream flow for each sub area :"}} +
             yearTables("OptCalender", "OptWater", "Command1", "cmdLast8", "cmdNext8") + subAreaYearTables() +
             array("txtFlow1A", 16, "QLineEdit") + array("txtFlow2A", 16, "QLineEdit") +
             array("txtYearlyMeas", 16, "QLineEdit") + array("txtAreasub", 10, "QLineEdit") + subAreaLabels("lblArea")},
        {"frmAnnualTotmm",
         std::vector<Control>{{"Frame1", "QGroupBox", "Annual total flow (mm)"},
                              {"Command1", "QPushButton", "&Back"},
                              {"lblModelledFirst", "QLabel", "Modelled annual total flow (mm)"},
                              {"lblMeasuredFirst", "QLabel", "Measured annual total flow (mm)"}} +
             yearTables("OptCalender", "optWater", "cmdShowmeAntotal", "cmdlast8", "cmdnext8") +
             array("txtAnTotYear", 16, "QLineEdit") + array("txtAnTotmm", 16, "QLineEdit") +
             array("txtAnTotMeasmm", 16, "QLineEdit")},
        {"frmMiniFlows",
         std::vector<Control>{{"Frame2", "QGroupBox", "Annual minimum 7 day flows "},
                              {"Command1", "QPushButton", "&Back"},
                              {"lblScale1", "QLabel"},
                              {"lblScale3", "QLabel"},
                              {"lblModelledFirst", "QLabel", "Modelled minimum 7 day average"},
                              {"lblMeasuredFirst", "QLabel", "Measured minimum 7 day average"},
                              {"lblArea_0", "QLabel", "A1 "}} +
             yearTables("OptCalenderYear", "OptWaterYear", "CmdYear7dayMin", "cmdlast8", "cmdnext8") +
             subAreaYearTables() + array("txtYear", 16, "QLineEdit") + array("txtFlowTotal", 16, "QLineEdit") +
             array("txtFlow1A", 33, "QLineEdit", {16}) + array("txtFlow2A", 33, "QLineEdit", {16}) +
             array("txtSubArea", 10, "QLineEdit")},
        {"frmMiniFlow",
         {{"Frame3", "QGroupBox", "Minimum 7 day flows for a selected period"},
          {"lblFrom", "QLabel", "&From"},
          {"cmbTimeFrom", "QComboBox"},
          {"lblTo", "QLabel", "&To"},
          {"cmbStopTime", "QComboBox"},
          {"cmdMinFlow", "QPushButton", "&Show me"},
          {"Command1", "QPushButton", "&Back"},
          {"lblMinFirst", "QLabel", "Minimum 7 Day flow first run (mm/day)"},
          {"TxtMinTime", "QLineEdit"},
          {"txtMinFlow", "QLineEdit"},
          {"lblMinLast", "QLabel", "Minimum 7 Day flow last run (mm/day)"},
          {"txtMinTimeAfter", "QLineEdit"},
          {"txtMinFlowAfter", "QLineEdit"},
          {"lblMinMeasured", "QLabel", "Minimum 7 Day flow measured (mm/day)"},
          {"txtMinTimeMeasured", "QLineEdit"},
          {"txtMinFlowMeasured", "QLineEdit"},
          {"txtMessage", "QLineEdit"}}},
    };
    return table;
}

// The text a caption shows: accelerator marks dropped, "&&" as "&".
QString shown(const QString& caption) {
    QString out;
    for (qsizetype i = 0; i < caption.size(); ++i) {
        if (caption[i] != '&') {
            out += caption[i];
        } else if (i + 1 < caption.size() && caption[i + 1] == '&') {
            out += '&';
            ++i;
        }
    }
    return out;
}

QString captionOf(QObject* o) {
    if (auto* b = qobject_cast<QAbstractButton*>(o)) return b->text();
    if (auto* l = qobject_cast<QLabel*>(o)) return l->text();
    if (auto* g = qobject_cast<QGroupBox*>(o)) return g->title();
    return {};
}

// Opens a form the way the wizard reaches it: on the example workbook.
Screen* open(UiSession& s, const QString& form) {
    s.dialogs.answerOpenFile(exampleWorkbook());
    s.nav.start();
    s.click("frmMain", "cmdNext_1");
    s.click("frmAMain", "cmdInputDatafile");
    s.click("frmDetail", "cmdTemplt");
    if (form == "frmDetail") return s.nav.loaded(form);
    s.click("frmDetail", "cmdNext_2");
    return s.nav.show(form);
}

// Opens a class screen from the step that owns it, as a user does; other forms as open().
Screen* openWithOwner(UiSession& s, const QString& form) {
    struct Way {
        const char* form;
        const char* owner;
        const char* option;  // set before the button, if any
        const char* button;
    };
    static const Way ways[] = {{"frmSoilParaSet", "frmSoilPara", "optFromList", "cmdGetSoilPara"},
                               {"frmSoilDataStore", "frmSoilParaSet", nullptr, "cmdSoilType"},
                               {"frmVegeParaSet", "frmVege", "optNewVege", "cmdCaptureVege"},
                               {"frmVegeDataStore", "frmVegeParaSet", nullptr, "Command2"},
                               {"frmChartP", "frmGetRain", nullptr, "cmdCapRain"}};
    for (const Way& way : ways) {
        if (form != way.form) continue;
        if (!openWithOwner(s, way.owner)) return nullptr;
        if (way.option) s.click(way.owner, way.option);
        s.click(way.owner, way.button);
        return s.nav.loaded(form);
    }
    return open(s, form);
}

bool interactive(const QWidget* w) {
    return qobject_cast<const QAbstractButton*>(w) || qobject_cast<const QLineEdit*>(w) ||
           qobject_cast<const QComboBox*>(w) || w->focusPolicy() != Qt::NoFocus;
}

}  // namespace

class ScreensTest : public QObject {
    Q_OBJECT

private slots:
    void every_screen_has_a_control_table() {
        UiSession s;
        for (const QString& form : s.nav.registeredForms()) {
            const bool listed = std::any_of(forms().begin(), forms().end(), [&](const Form& f) { return f.form == form; });
            QVERIFY2(listed, qPrintable(form + " has no control table in screens_test.cpp"));
        }
    }

    void named_controls_data() {
        QTest::addColumn<int>("index");
        for (std::size_t i = 0; i < forms().size(); ++i) QTest::newRow(qPrintable(forms()[i].form)) << int(i);
    }

    void named_controls() {
        QFETCH(int, index);
        const Form& expected = forms()[std::size_t(index)];
        UiSession s;
        Screen* screen = openWithOwner(s, expected.form);
        QVERIFY(screen);
        QCOMPARE(screen->objectName(), expected.form);
        QVERIFY(screen->isVisible());
        QVERIFY(!screen->windowTitle().isEmpty());
        for (const Control& c : expected.controls) {
            QObject* o = screen->findChild<QObject*>(c.name);
            QVERIFY2(o, qPrintable(expected.form + " has no " + c.name));
            QVERIFY2(o->inherits(c.type), qPrintable(c.name + " is a " + o->metaObject()->className()));
            if (!c.caption.isEmpty()) QCOMPARE(shown(captionOf(o)), shown(c.caption));
            if (!c.toolTip.isEmpty()) QCOMPARE(qobject_cast<QWidget*>(o)->toolTip(), c.toolTip);
        }
    }

    void controls_are_named_and_fit_data() { named_controls_data(); }

    void controls_are_named_and_fit() {
        QFETCH(int, index);
        const Form& expected = forms()[std::size_t(index)];
        UiSession s;
        Screen* screen = openWithOwner(s, expected.form);
        QVERIFY(screen);
        static const QRegularExpression designerName(
            "^(groupBox|label|pushButton|lineEdit|comboBox|checkBox|radioButton|frame|widget|textEdit|spinBox|"
            "verticalLayout|horizontalLayout|gridLayout|formLayout|horizontalSpacer|verticalSpacer)(_\\d+)?$");
        for (QObject* o : screen->findChildren<QObject*>())
            QVERIFY2(!designerName.match(o->objectName()).hasMatch(), qPrintable(o->objectName()));
        // As the screen opens, and shrunk as far as its layout lets it.
        for (const bool shrunk : {false, true}) {
            if (shrunk) screen->resize(screen->minimumSizeHint());
            QCoreApplication::processEvents();
            for (QWidget* w : screen->findChildren<QWidget*>()) {
                if (!w->isVisible() || w->objectName().isEmpty()) continue;
                if (interactive(w)) {
                    QAccessibleInterface* a = QAccessible::queryAccessibleInterface(w);
                    QVERIFY2(a && !a->text(QAccessible::Name).trimmed().isEmpty(),
                             qPrintable(w->objectName() + " has no accessible name"));
                }
                // Texts are not cut off.
                const bool wraps = qobject_cast<QLabel*>(w) && qobject_cast<QLabel*>(w)->wordWrap();
                if (!wraps && (qobject_cast<QLabel*>(w) || qobject_cast<QAbstractButton*>(w))) {
                    QVERIFY2(w->width() >= w->sizeHint().width() && w->height() >= w->minimumSizeHint().height(),
                             qPrintable(w->objectName() + " is too small for its text" +
                                        (shrunk ? " when the window is shrunk" : "")));
                }
            }
        }
    }

    void the_progress_window_shows_while_work_is_done() {
        UiSession s;
        ProgressWindow& progress = s.nav.progress();
        QCOMPARE(progress.objectName(), QString("frmPrgBar"));
        QCOMPARE(progress.windowTitle(), QString("Progress"));
        QCOMPARE(progress.bar()->objectName(), QString("prgarrays"));
        {
            ProgressScope scope(progress, "Reading data from  a.xlsx  Please Wait !!!!!", 10);
            QVERIFY(progress.isVisible());
            QCOMPARE(progress.windowTitle(), QString("Reading data from  a.xlsx  Please Wait !!!!!"));
            scope.callback()(4, 10);
            QCOMPARE(progress.bar()->value(), 4);
            scope.callback()(12, 20);
            QCOMPARE(progress.bar()->maximum(), 20);
        }
        QVERIFY(!progress.isVisible());
    }

    void the_welcome_picture_carries_the_model_labels() {
        const QStringList labels = ModelSchematic::labels();
        for (const char* label :
             {"Precipitation [P]", "Interception [Ei]", "Evaporation [ET]", "Toplayer store[St]", "Whole profile store",
              "Drainage", "Drainage surplus [Fi]", "Quickflow [QF]", "Baseflow [BF]",
              "Input as a factor vegetation depend on the vegetation type and condition (age):"})
            QVERIFY2(labels.contains(label), label);
    }
};

QTEST_MAIN(ScreensTest)
#include "screens_test.moc"
