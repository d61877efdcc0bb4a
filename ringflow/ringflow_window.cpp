#include "ringflow/ringflow_window.h"

#include <cmath>
#include <exception>

#include "core/numtext.h"
#include "ringflow/printfile.h"
#include "ringflow/profile_chart.h"
#include "ringflow/streamline.h"
#include "ringflow/diagram.h"

namespace ringflow {

int16_t RoundToInteger(float value, const std::string& what) {
  // nearbyint rounds halves to even in the default rounding mode.
  const double whole = std::nearbyint(static_cast<double>(value));
  if (!(whole >= -32768.0 && whole <= 32767.0))
    throw core::Failure(what + " is too large for a whole number");
  return static_cast<int16_t>(whole);
}

int ForceBladeRows(int nbr) {
  if (nbr > 9) return 9;
  if (nbr < 3) return 3;
  if (nbr % 2 == 0) return nbr - 1;
  return nbr;
}

int ForceAnnuli(int nan) {
  if (nan > 9) return 9;
  if (nan < 1) return 1;
  if (nan % 2 == 0) return nan - 1;
  return nan;
}

const std::vector<std::string>& UsersGuideLines() {
  static const std::vector<std::string> lines = {
      "USERS GUIDE FOR SINGLE STAGE STREAMLINE ANALYSIS by Q. M. VORLAND 09/08/2004",
      "",
      "Dhub - Hub Diameter (ft) - constant for the stage",
      "Dtip - Tip Diameter (ft) - constant for the stage",
      "RPM - Rotational Speed",
      "Q - Total Volumetric Flow Rate for the Inlet (cfm)",
      "pin - Inlet Pressure (psia) - uniform for the inlet - flow enters axially at the inlet",
      "rho - Fluid Density (sl/ft^3) - constant for the stage",
      "",
      "NAN - Number of Annular Passages",
      "      Must be odd and no greater than 9",
      "      A single annulus is allowed",
      "      Diameters of midspan of all annuli are calculated based on radial equilibrium",
      "      Suggest starting with 3",
      "      As NAN increases, stability decreases",
      "",
      "ISL - Stream Bundle Distribution",
      "      = 0 One streamline has it's midspan at Dhub and another at Dtip",
      "          The inner and outer annuli carry half of the flow rates of the other annuli",
      "          Recommended",
      "      = 1 Equal flow rates in all annuli",
      "          The inner edge of the control volume for the inner annulus coincides with Dhub",
      "          The outer edge of the control volume for the outer annulus coincides with Dtip",
      "          The midspan points are calculated as for all other annuli",
      "",
      "NTYP - Type of Solution and Input Conditions",
      "       = 1 Irrotational flow - Free vortical flow at axial interfaces",
      "           Radial equilibruim automatic",
      "           Not an iterative solution",
      "           Efficiencies are unity for all annuli",
      "           Can input multiple stages",
      "           Midspan absolute exit angles (only) are input for each axial station",
      "       = 2 Radial distibutions of all absolute exit angles are input for equally spaced "
      "diameters from hub to tip",
      "           Radial distibution of all efficiencies are input for equally spaced diameters "
      "from hub to tip",
      "           Radial equilibrium used to calculate radial distribution of flow at each axial "
      "interface",
      "       = 3 Radial distibutions of all absolute exit angles are input for hub, midspan, and "
      "tip only",
      "           Radial distibution of all efficiencies are input for hub, midspan, and tip only",
      "           Second order curve fit used for interpolation for angles and efficiencies",
      "           Radial equilibrium used to calculate radial distribution of flow at each axial "
      "interface",
      "",
      "NBR - Number of blade rows (only for NTYP = 1 or 3)",
      "      = IGV + number of rotor and stator rows",
      "        Must be odd and at least 3 but no greater than 9",
      "",
      "ITTY - Iteration Type for NTYP = 2 or 3",
      "       = 0 Regula Falsi Method - usually faster but can be unstable",
      "           Recommended",
      "       = 1 Interval Stepping Method - usually slower but can be somewhat more stable ",
      "           Should be used only if/when ITTY=0 fails",
      "",
      "NOTE - All outputs are sent to a print file",
  };
  return lines;
}

namespace {

constexpr int kWidth = 1040;
constexpr int kHeight = 596;
constexpr int kRight = 336;  // left edge of the input frames
constexpr int kRowDy = 28;
constexpr int kTop = 92;  // top of the solution types' input frames
// The columns of the solution types' tables.
constexpr int kColX[] = {0, 136, 276, 416, 556};
constexpr int kColW[] = {130, 134, 134, 134, 120};

}  // namespace

core::TextBox* Ringflow::Box(const std::string& name, int index) const {
  return static_cast<core::TextBox*>(Find(name, index));
}

core::Label* Ringflow::NewLabel(const std::string& caption, core::Rect r, core::Frame* in,
                               core::Look look) {
  return AddLabel("Label" + std::to_string(++labels_), caption, r, in, look);
}

core::TextBox* Ringflow::NewBox(const std::string& name, const std::string& text, core::Rect r,
                                core::Frame* in, int index) {
  core::TextBox* b = AddTextBox(name, r, in, index);
  b->setText(text);
  return b;
}

Ringflow::Ringflow() : Form(core::Caption("Stream Line Analysis", 20), kWidth, kHeight) {
  // Titles: one of the two is shown.
  Fratitl23 = AddFrame("Fratitl23", "", {180, 6, 680, 40}, nullptr, false);
  NewLabel("Streamline Analysis of a Single Stage", {0, 0, 680, 40}, Fratitl23, core::Look::Title);
  Fratitl1 = AddFrame("Fratitl1", "", {180, 6, 680, 40}, nullptr, false);
  NewLabel("Streamline Analysis of Multiple Stages", {0, 0, 680, 40}, Fratitl1, core::Look::Title);

  int y = AddStageInputs(58);
  y = AddLists(y);
  y = AddButtons(y);
  AddConvergence(y);
  AddTypeHeadings();
  AddMidspanAngles();
  AddDiameterTable();
  AddHubMidTipTables();

  // The diagram lies over the input frames while it is shown.
  Frapic = AddFrame("Frapic", "", {kRight - 4, 50, 704, 514}, nullptr, false);
  AddPicture("Picture1", DiagramSvg(), {2, 2, 700, 510}, Frapic);
  Frapic->setVisible(false);

  FraConv->setVisible(false);
  Fraconv2->setVisible(false);
  Wire();

  // The window shows and reads these in either system; the print file stays
  // in US customary units.
  using core::Quantity;
  Measure("txtdh", Quantity::Length);
  Measure("txtdt", Quantity::Length);
  Measure("txtq", Quantity::VolumeFlow);
  Measure("txtpin", Quantity::Pressure);
  Measure("txtrho", Quantity::Density);
}

int Ringflow::AddStageInputs(int y) {
  // The inputs that every solution type needs.
  struct Row {
    core::TextBox* Ringflow::*box;
    const char* name;
    const char* caption;
    const char* text;
  };
  const Row rows[] = {{&Ringflow::txtdh, "txtdh", "Hub Dia (ft)", "1.563"},
                      {&Ringflow::txtdt, "txtdt", "Tip Dia (ft)", "1.973"},
                      {&Ringflow::txtrotn, "txtrotn", "RPM", "10500"},
                      {&Ringflow::txtq, "txtq", "Q (cfm)", "32053"},
                      {&Ringflow::txtpin, "txtpin", "pin (psia)", "63.6499"},
                      {&Ringflow::txtrho, "txtrho", "rho (sl/ft^3)", "0.00698"},
                      {&Ringflow::txtnan, "txtnan", "No. of Annuli (odd - max 9)", "3"}};
  for (const Row& row : rows) {
    NewLabel(row.caption, {8, y + 2, 214, 22});
    this->*row.box = NewBox(row.name, row.text, {226, y, 90, 24});
    (this->*row.box)->what = row.caption;
    y += 30;
  }

  FraNBR = AddFrame("FraNBR", "", {8, y, 310, 26}, nullptr, false);
  NewLabel("No. of Blade Rows (odd - max 9)", {0, 2, 216, 22}, FraNBR);
  txtnbr = NewBox("txtnbr", "3", {218, 0, 90, 24}, FraNBR);
  txtnbr->what = "No. of Blade Rows (odd - max 9)";
  return y + 36;
}

int Ringflow::AddLists(int y) {
  NewLabel("ISL", {8, y, 56, 20}, nullptr, core::Look::Heading);
  lstisl = AddList("lstisl", {"0", "1"}, {8, y + 22, 56, 46});
  NewLabel("NTYP", {74, y, 56, 20}, nullptr, core::Look::Heading);
  lstntyp = AddList("lstntyp", {"1", "2", "3"}, {74, y + 22, 56, 66});
  NewLabel("Turbo Type", {140, y, 110, 20}, nullptr, core::Look::Heading);
  Lstturbo = AddList("Lstturbo", {"Compressor", "Turbine"}, {140, y + 22, 110, 46});
  Fraitty = AddFrame("Fraitty", "", {260, y, 58, 70}, nullptr, false);
  NewLabel("ITTY", {0, 0, 56, 20}, Fraitty, core::Look::Heading);
  lstitty = AddList("lstitty", {"0", "1"}, {0, 22, 56, 46}, Fraitty);
  return y + 100;
}

int Ringflow::AddButtons(int y) {
  AddButton("Cmdcalculate", "Calculate", {8, y, 150, 32}, nullptr, core::Look::Compute);
  AddButton("pic", "Diagram on/off?", {168, y, 150, 32});
  AddButton("CmdUsersGuide", "Print File of Users Guide?", {8, y + 40, 310, 32});
  AddButton("Cmdend", "Done!", {8, y + 80, 150, 32});
  return y + 122;
}

void Ringflow::AddConvergence(int y) {
  FraConv = AddFrame("FraConv", "", {8, y, 320, 56}, nullptr, false);
  NewLabel("Did not converge at axial station", {0, 3, 196, 22}, FraConv, core::Look::Warning);
  Txtjconv = NewBox("Txtjconv", "", {198, 0, 44, 24}, FraConv);
  Txtjconv->readOnly = true;
  Txtjconv->what = "Did not converge at axial station";
  NewLabel("Partial solution printed", {0, 30, 252, 22}, FraConv, core::Look::Warning);
  Fraconv2 = AddFrame("Fraconv2", "", {8, y, 320, 26}, nullptr, false);
  NewLabel("Solution Printed!", {0, 3, 252, 22}, Fraconv2);
}

void Ringflow::AddTypeHeadings() {
  // Which solution type the inputs on the right belong to.
  const core::Rect typeRect{kRight, 58, 690, 26};
  FraNtyp1 = AddFrame("FraNtyp1", "", typeRect, nullptr, false);
  NewLabel("Irrotational Flow - Free Vortex", {0, 0, 690, 24}, FraNtyp1, core::Look::Heading)
      ->points = 12;
  FraNtyp2 = AddFrame("FraNtyp2", "", typeRect, nullptr, false);
  NewLabel("Data Input for All Annuli", {0, 0, 690, 24}, FraNtyp2, core::Look::Heading)->points = 12;
  FraNtyp3 = AddFrame("FraNtyp3", "", typeRect, nullptr, false);
  NewLabel("Data Input for Hub, Mid-, and Tip Only", {0, 0, 690, 24}, FraNtyp3,
           core::Look::Heading)
      ->points = 12;
}

void Ringflow::AddMidspanAngles() {
  // Solution type 1: one midspan angle per station.
  FraNtype2 = AddFrame("FraNtype2", "", {kRight + 200, kTop, 300, 3 * kRowDy + 26}, nullptr, false);
  NewLabel("Absolute Angle at Midspan", {0, 0, 300, 22}, FraNtype2, core::Look::Heading);
  const char* exits[] = {"IGV Exit", "Rotor Exit", "Stator Exit"};
  for (int s = 2; s <= 4; ++s) {
    const int ry = 26 + (s - 2) * kRowDy;
    NewLabel(exits[s - 2], {20, ry + 2, 130, 22}, FraNtype2);
    NewBox("txtalnm", s % 2 == 0 ? "29.00" : "53.60", {160, ry, 90, 24}, FraNtype2, s)->what =
        std::string(exits[s - 2]) + " angle";
  }
  const char* stage2[] = {"FraNtype2b", "FraNtype2c", "FraNtype2d"};
  core::Frame* Ringflow::*frames[] = {&Ringflow::FraNtype2b, &Ringflow::FraNtype2c,
                                      &Ringflow::FraNtype2d};
  for (int n = 0; n < 3; ++n) {
    auto* f = this->*frames[n] = AddFrame(
        stage2[n], "", {kRight + 200, kTop + 26 + (3 + 2 * n) * kRowDy, 300, 2 * kRowDy}, nullptr,
        false);
    for (int m = 0; m < 2; ++m) {
      const int s = 5 + 2 * n + m;
      NewLabel(m == 0 ? "Rotor Exit" : "Stator Exit", {20, m * kRowDy + 2, 130, 22}, f);
      NewBox("txtalnm", m == 0 ? "53.60" : "29.00", {160, m * kRowDy, 90, 24}, f, s)->what =
          std::string(m == 0 ? "Rotor Exit" : "Stator Exit") + " angle";
    }
  }
}

void Ringflow::AddDiameterTable() {
  // Solution type 2: angles and efficiency at equally spaced diameters.
  Frantype3 = AddFrame("Frantype3", "", {kRight, kTop, 690, 26 + 10 * kRowDy}, nullptr, false);
  const char* heads3[] = {"Diameter Location", "IGV Exit Angle", "Rotor Exit Angle",
                          "Stator Exit Angle", "Efficiency"};
  for (int c = 0; c < 5; ++c)
    NewLabel(heads3[c], {kColX[c], 0, kColW[c], 22}, Frantype3, core::Look::Heading);
  const char* sub3[] = {"Frantype3b", "Frantype3c", "Frantype3d", "Frantype3e"};
  core::Frame* Ringflow::*frames[] = {&Ringflow::Frantype3b, &Ringflow::Frantype3c,
                                      &Ringflow::Frantype3d, &Ringflow::Frantype3e};
  for (int pair = 0; pair < 5; ++pair) {
    core::Frame* in = Frantype3;
    int y0 = 26 + 2 * pair * kRowDy;
    if (pair > 0) {
      in = this->*frames[pair - 1] =
          AddFrame(sub3[pair - 1], "", {0, y0, 690, 2 * kRowDy}, Frantype3, false);
      y0 = 0;
    }
    for (int m = 0; m < 2; ++m) {
      const int k = 2 * pair + m + 1;
      const int ry = y0 + m * kRowDy;
      NewLabel(std::to_string(k), {kColX[0], ry + 2, kColW[0], 22}, in, core::Look::Heading);
      const char* names[] = {"txtalf2", "txtalf3", "txtalf4", "txtefyf"};
      const char* texts[] = {"29.00", "53.60", "29.00", "0.86"};
      for (int c = 0; c < 4; ++c)
        NewBox(names[c], texts[c], {kColX[c + 1] + (kColW[c + 1] - 90) / 2, ry, 90, 24}, in, k)
            ->what = std::string(heads3[c + 1]) + " at location " + std::to_string(k);
    }
  }
}

core::Frame* Ringflow::AddHubMidTipTable(const std::string& name, int ty,
                                         const std::vector<Column>& cols, int firstCol) {
  const char* where[] = {"Hub", "Mid-span", "Tip"};
  auto* f = AddFrame(name, "", {kRight, ty, 690, 26 + 3 * kRowDy}, nullptr, false);
  for (size_t c = 0; c < cols.size(); ++c)
    NewLabel(cols[c].head, {kColX[firstCol + c], 0, kColW[firstCol + c], 22}, f,
             core::Look::Heading);
  for (int k = 1; k <= 3; ++k) {
    const int ry = 26 + (k - 1) * kRowDy;
    NewLabel(where[k - 1], {kColX[0], ry + 2, kColW[0], 22}, f, core::Look::Heading);
    for (size_t c = 0; c < cols.size(); ++c) {
      const int col = firstCol + static_cast<int>(c);
      NewBox(cols[c].name, cols[c].text, {kColX[col] + (kColW[col] - 90) / 2, ry, 90, 24}, f, k)
          ->what = std::string(cols[c].head) + " at the " + where[k - 1];
    }
  }
  return f;
}

void Ringflow::AddHubMidTipTables() {
  // Solution type 3: hub, mid-span and tip values of every row.
  const int dy5 = 26 + 3 * kRowDy + 8;
  Frantype5 = AddHubMidTipTable("Frantype5", kTop,
                                {{"IGV Exit Angle", "txtale2", "29.00"},
                                 {"Rotor Exit Angle", "txtale3", "53.60"},
                                 {"Stator Exit Angle", "txtale4", "29.00"},
                                 {"Efficiency", "txtefye", "0.86"}},
                                1);
  Frantype5b = AddHubMidTipTable("Frantype5b", kTop + dy5,
                                 {{"Rotor2 Exit Angle", "txtale5", "53.60"},
                                  {"Stator2 Exit Angle", "txtale6", "29.00"},
                                  {"Efficiency", "txtefye2", "0.86"}},
                                 2);
  Frantype5c = AddHubMidTipTable("Frantype5c", kTop + 2 * dy5,
                                 {{"Rotor3 Exit Angle", "txtale7", "53.60"},
                                  {"Stator3 Exit Angle", "txtale8", "29.00"},
                                  {"Efficiency", "txtefye3", "0.86"}},
                                 2);
  Frantype5d = AddHubMidTipTable("Frantype5d", kTop + 3 * dy5,
                                 {{"Rotor4 Exit Angle", "txtale9", "53.60"},
                                  {"Stator4 Exit Angle", "txtale10", "29.00"},
                                  {"Efficiency", "txtefye4", "0.86"}},
                                 2);
}

void Ringflow::Wire() {
  lstntyp->Click = [this] { lstntyp_Click(); };
  lstisl->Click = [this] { RefreshFrames(); };
  lstitty->Click = [this] { RefreshFrames(); };
  txtnan->Change = [this] { txtnan_Change(); };
  for (core::TextBox* b : {txtnbr, txtdh, txtdt, txtrotn, txtq, txtpin, txtrho})
    b->Change = [this] { RefreshFrames(); };
  static_cast<core::Button*>(Find("pic"))->Click = [this] { pic_Click(); };
  static_cast<core::Button*>(Find("CmdUsersGuide"))->Click = [this] { CmdUsersGuide_Click(); };
  static_cast<core::Button*>(Find("Cmdcalculate"))->Click = [this] { Cmdcalculate_Click(); };
  static_cast<core::Button*>(Find("Cmdend"))->Click = [this] { Cmdend_Click(); };
}

void Ringflow::Form_Load() {
  lstisl->setText("0");
  lstitty->setText("0");
  lstntyp->setText("2");
  Lstturbo->setText("Compressor");
}

void Ringflow::lstntyp_Click() {
  ntyp = static_cast<float>(lstntyp->listIndex() + 1);
  ntype = ntyp == 1 ? 2.0f : ntyp == 2 ? 3.0f : 5.0f;
  RefreshFrames();
}

void Ringflow::txtnan_Change() {
  nan = RoundToInteger(Strict(txtnan), CaptionOf(*txtnan));
  RefreshFrames();
}

void Ringflow::RefreshFrames() {
  for (core::Frame* f : {FraNtyp1, FraNtyp2, FraNtyp3, FraNBR, Fratitl23, Fratitl1})
    f->setVisible(false);
  if (ntyp == 1 || ntyp == 3) FraNBR->setVisible(true);
  FraNtyp1->setVisible(ntyp == 1);
  FraNtyp2->setVisible(ntyp == 2);
  FraNtyp3->setVisible(ntyp == 3);

  FraConv->setVisible(false);
  Fraconv2->setVisible(false);
  Fraitty->setVisible(true);
  for (core::Frame* f : {FraNtype2, FraNtype2b, FraNtype2c, FraNtype2d, Frantype3, Frantype5,
                          Frantype5b, Frantype5c, Frantype5d, Frantype3b, Frantype3c,
                          Frantype3d, Frantype3e})
    f->setVisible(false);

  nan = RoundToInteger(Strict(txtnan), CaptionOf(*txtnan));
  int rows = 3;
  if (ntype == 5 || ntype == 2) rows = RoundToInteger(Strict(txtnbr), CaptionOf(*txtnbr));
  nbr = static_cast<int16_t>(ForceBladeRows(rows));

  if (nbr > 3) Fratitl1->setVisible(true);
  if (nbr == 3) Fratitl23->setVisible(true);
  if (ntype == 2) {
    Fraitty->setVisible(false);
    FraNtype2->setVisible(true);
    if (nbr > 3) FraNtype2b->setVisible(true);
    if (nbr > 5) FraNtype2c->setVisible(true);
    if (nbr >= 8) FraNtype2d->setVisible(true);
  }
  if (ntype == 3) Frantype3->setVisible(true);
  if (ntype == 5) {
    Frantype5->setVisible(true);
    if (nbr > 3) Frantype5b->setVisible(true);
    if (nbr > 5) Frantype5c->setVisible(true);
    if (nbr >= 8) Frantype5d->setVisible(true);
  }
  if (ntype == 3) {
    if (nan > 1) Frantype3b->setVisible(true);
    if (nan > 3) Frantype3c->setVisible(true);
    if (nan > 5) Frantype3d->setVisible(true);
    if (nan >= 8) Frantype3e->setVisible(true);
  }
}

void Ringflow::pic_Click() { Frapic->setVisible(!Frapic->visible()); }

void Ringflow::CmdUsersGuide_Click() { WritePrintFile(kUsersGuideFile, UsersGuideLines()); }

void Ringflow::Cmdend_Click() { End(); }

void Ringflow::Cmdcalculate_Click() {
  // A failed run leaves no chart of an earlier one behind.
  last_.reset();
  computing_ = runningAction();
  Calculate();
}

PrintHeading Ringflow::Heading() const {
  PrintHeading head;
  head.dho = static_cast<float>(dh);
  head.dto = static_cast<float>(dt);
  head.dtdh = static_cast<float>(dt / dh);
  head.rotno = static_cast<float>(rotn);
  head.rhoo = static_cast<float>(rho);
  head.qo = static_cast<float>(q);
  head.mdot = static_cast<float>(q * rho / 60 * 32.17);
  head.turbo = Lstturbo->text();
  head.ntyp = static_cast<int>(ntyp);
  head.itty = itty;
  head.isl = isl;
  return head;
}

void Ringflow::ReadAngles(StageInput& in, const Reader& read) const {
  const int nst = nbr + 1;
  if (ntyp == 1) {
    for (int st = 2; st <= nst; ++st) in.alnm[st] = read(Box("txtalnm", st));
  } else if (ntyp == 3) {
    const std::pair<const char*, int> angles[] = {
        {"txtale2", 2}, {"txtale3", 3}, {"txtale4", 4}, {"txtefye", -2},
        {"txtale5", 5}, {"txtale6", 6}, {"txtefye2", -4}, {"txtale7", 7},
        {"txtale8", 8}, {"txtefye3", -6}, {"txtale9", 9}, {"txtale10", 10},
        {"txtefye4", -8}};
    for (auto [box, where] : angles)
      for (int k = 1; k <= 3; ++k) {
        const double v = read(Box(box, k));
        if (where > 0)
          in.ang[where][k] = v;
        else
          in.eff[-where][k] = v;
      }
  } else {
    for (int k = 1; k <= nan + 1; ++k) in.ang[2][k] = read(Box("txtalf2", k));
    for (int k = 1; k <= nan + 1; ++k) in.ang[3][k] = read(Box("txtalf3", k));
    for (int k = 1; k <= nan + 1; ++k) in.ang[4][k] = read(Box("txtalf4", k));
    for (int k = 1; k <= nan + 1; ++k) in.eff[2][k] = read(Box("txtefyf", k));
  }
}

void Ringflow::Calculate() {
  FraConv->setVisible(false);
  Fraconv2->setVisible(false);
  // A run that fails writes no print file and takes no number: a file of
  // the lines up to a refused box or a broken station would look like a
  // result. A station that does not converge is a result, and is printed.
  std::vector<std::string> lines;
  auto print = [&] { WriteNumberedPrintFile(kPrintBase, npr, lines); };
  const Reader read = [&](const core::TextBox* b) -> double { return Strict(b); };
  auto stop = [](const std::string& message) { throw core::Failure(message); };

  StageInput in;
  dh = read(txtdh);
  dt = read(txtdt);
  rotn = read(txtrotn);
  q = read(txtq);
  rho = read(txtrho);
  pin = read(txtpin);
  // The counts were taken when their boxes changed; a box that no longer
  // holds a number must not leave the last good count at work unseen.
  read(txtnan);
  if (ntype == 5 || ntype == 2) read(txtnbr);
  in.dh = dh;
  in.dt = dt;
  in.rotn = rotn;
  in.q = q;
  in.rho = rho;
  in.pin = pin;
  if (auto problem = CheckInputs(in)) stop(*problem);
  nan = static_cast<int16_t>(ForceAnnuli(nan));
  isl = static_cast<int16_t>(lstisl->listIndex());
  itty = static_cast<int16_t>(lstitty->listIndex());
  AddHeading(Heading(), lines);

  in.nan = nan;
  in.isl = isl;
  in.itty = itty;
  in.ntyp = static_cast<int>(ntyp);
  in.nbr = nbr;
  in.turbine = Lstturbo->text() == "Turbine";
  ReadAngles(in, read);
  pin = pin * 144;

  const Solution s = Solve(in);
  if (!AddEntrance(s, rho, lines)) stop("The entrance gives numbers that are not finite");
  for (int j = 2; j <= s.solved; ++j)
    if (!AddStation(s, j, rho, ptot, lines))
      stop("Station " + std::to_string(j) + " gives numbers that are not finite");
  if (!s.error.empty()) stop(s.error);
  if (s.failed) {
    AddFailure(s.failed, lines);
    print();
    last_ = s;
    Txtjconv->setText(core::NumberText(static_cast<float>(s.failed)));
    FraConv->setVisible(true);
    return;
  }
  print();
  last_ = s;
  Fraconv2->setVisible(true);
}

std::vector<std::string> Ringflow::ChartNames() const { return {kRadialProfiles}; }

core::ChartData Ringflow::Chart(const std::string& name) const {
  if (name != kRadialProfiles) return Form::Chart(name);
  if (last_) return RadialProfiles(*last_);
  const char* title = "Radial profiles";
  return core::Unavailable(name, title,
                           WhyNothing(computing_, "Press \"Calculate\" to draw the radial profiles"));
}

}  // namespace ringflow
