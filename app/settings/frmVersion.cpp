#include "app/settings/frmVersion.h"

#include <endpoints.h>

#include "app/settings/support_chat.h"

namespace settings {

namespace {

constexpr forms::Color kBlue = 0xFF0000;
constexpr forms::Color kDarkGrey = 0x404040;
constexpr forms::Color kChatOrange = 0xE79000;
constexpr forms::Color kSendBlue = 0xC06700;
constexpr double kChatLeft = 1800;
constexpr double kChatTop = 9000;

const forms::Font kMenuFont{"MS Sans Serif", 9.75, false, false, true};

constexpr const char* kInformationPage =
    "Quorvane : Le plannificateur de ressources personnalisable tout type d'activités.\r\n"
    "Une terminologie adaptée à votre activité permet une prise main très intuitive.\r\n"
    "Administrez et gérez Quorvane depuis le logiciel.\r\n"
    "Une Catégorie est le genre d'activités correspondant chacune à un agenda distinct, par "
    "exemple des réunions, chantiers, services traiteur, clients, etc...\r\n"
    "Une Ressource peut être par exemple une machine, un lieu, une personne, etc... qui ne "
    "peut être pas utilisée qu'une fois dans la même période pour l'ensemble de vos "
    "Catégories.\r\n"
    "Utilisez des couleurs pour chaque Catégorie et des nuances pour les différents "
    "Évènements pour une vision claire de l'ensemble de vos activités.\r\n"
    "Affichez votre Quorvane par mois, par semaine ou sous forme de liste mensuelle.\r\n"
    "Filtrer vos activités et vos ressources pour voir les plages occupées ou disponibles.";

}  // namespace

AboutAddresses ConfiguredAboutAddresses() {
  return {endpoints::kProductUrl, endpoints::kSupportUrl};
}

frmVersion::frmVersion(const forms::Services& services, AboutAddresses addresses,
                       ProgramVersion version)
    : forms::Form("frmVersion", services.metrics),
      shell_(services.shell),
      addresses_(std::move(addresses)),
      version_(version) {
  Design();
  DesignChatPanel();
  Connect();
}

void frmVersion::Design() {
  SetCaption("Quorvane");
  SetBorderStyle(forms::kBorderFixedSingle);
  SetBackColor(forms::kWindowBackground);
  SetScaleSize(9555, 11745);

  Shape1.SetShape(forms::kShapeRoundedSquare);
  Shape1.Move(3000, 120, 3375, 3135);
  Image1.Move(3720, 280, 1875, 2130);

  lblNom.Move(3195, 2360, 3015, 495);
  lblNom.SetCaption("Quorvane");
  lblNom.SetFont({"Arial", 21.75, true});
  lblNom.SetForeColor(kBlue);
  lblNom.SetAlignment(forms::kAlignCenter);
  lblNom.SetBackStyle(forms::kTransparent);

  lblVersion.Move(3195, 2860, 3015, 495);
  lblVersion.SetCaption("Version x.xx");
  lblVersion.SetFont({"Arial", 12, true});
  lblVersion.SetForeColor(kBlue);
  lblVersion.SetAlignment(forms::kAlignCenter);
  lblVersion.SetBackStyle(forms::kTransparent);

  lblSlogan.Move(240, 3480, 9135, 855);
  lblSlogan.SetCaption(
      "Quorvane, le calendrier multi-couches avec gestion des ressources communes");
  lblSlogan.SetFont({"Arial", 15.75});
  lblSlogan.SetForeColor(kDarkGrey);
  lblSlogan.SetAlignment(forms::kAlignCenter);
  lblSlogan.SetBackColor(forms::kWindowBackground);
  lblSlogan.SetWordWrap(true);

  lblMenu[0].Move(960, 4320, 1815, 345);
  lblMenu[0].SetCaption("Info");
  lblMenu[0].SetFont(kMenuFont);
  lblMenu[0].SetForeColor(kBlue);
  lblMenu[0].SetBorderStyle(1);
  lblMenu[0].SetAlignment(forms::kAlignCenter);
  lblMenu[0].SetBackColor(forms::kWindowBackground);
  lblMenu[0].SetMousePointer(forms::kHandPointer);

  fraInfo.Move(200, 4680, 9135, 5175);
  fraInfo.SetBackColor(forms::kWhite);
  fraInfo.SetBorderStyle(0);
  lblInfo.Move(120, 360, 8775, 500);
  lblInfo.SetBackColor(forms::kWhite);
  lblInfo.SetFont({"Arial", 12});
  lblInfo.SetForeColor(kDarkGrey);
  lblInfo.SetWordWrap(true);
  lblWeb.Move(120, 4760, 8895, 375);
  lblWeb.SetCaption(addresses_.productSite);
  lblWeb.SetBackColor(forms::kWhite);
  lblWeb.SetFont({"Arial", 9.75, false, false, true});
  lblWeb.SetForeColor(kBlue);
  lblWeb.SetAlignment(forms::kAlignCenter);
  lblWeb.SetMousePointer(forms::kHandPointer);

  cmdUndo.Move(2880, 10080, 3855, 615);
  cmdUndo.SetCaption("Démarrer Quorvane");
  cmdUndo.SetFont({"MS Sans Serif", 9.75});

  Image2.Move(7560, 10200, 990, 960);
  Image2.SetPicture("chat.png");
  Image2.SetToolTipText("Chat en ligne");
  Image2.SetMousePointer(forms::kHandPointer);
}

void frmVersion::DesignChatPanel() {
  fraCrisp.Move(kChatLeft, kChatTop, 5655, 2655);
  fraCrisp.SetBorderStyle(0);
  fraCrisp.SetBackColor(kChatOrange);
  fraCrisp.SetVisible(false);

  Label10.Move(480, 140, 3975, 285);
  Label10.SetCaption("Démarrer un Chat en ligne");
  Label10.SetFont({"MS Sans Serif", 9.75, true});
  Label10.SetForeColor(forms::kWhite);
  Label10.SetBackStyle(forms::kTransparent);

  lblClose.Move(5270, 0, 375, 255);
  lblClose.SetCaption("X");
  lblClose.SetFont({"Arial", 9.75, true});
  lblClose.SetForeColor(forms::kWhite);
  lblClose.SetBackColor(kDarkGrey);
  lblClose.SetAlignment(forms::kAlignCenter);
  lblClose.SetMousePointer(forms::kHandPointer);

  Shape3.SetShape(forms::kShapeRoundedRectangle);
  Shape3.Move(240, 480, 4215, 1935);
  Shape3.SetBackStyle(forms::kOpaque);
  Shape3.SetBackColor(forms::kWhite);
  Shape3.SetBorderColor(forms::kWhite);

  txtMessage.Move(300, 600, 4095, 1695);
  txtMessage.SetMultiLine(true);
  txtMessage.SetBorderStyle(0);
  txtMessage.SetBackColor(forms::kWhite);
  txtMessage.SetFont({"MS Sans Serif", 9.75});

  Shape2.SetShape(forms::kShapeRoundedSquare);
  Shape2.Move(4560, 1140, 735, 615);
  Shape2.SetFillStyle(forms::kFillSolid);
  Shape2.SetFillColor(kSendBlue);
  Shape2.SetBorderStyle(forms::kBorderTransparent);

  lblSend.Move(4680, 1200, 495, 495);
  lblSend.SetCaption(">");
  lblSend.SetFont({"Arial", 20.25, true});
  lblSend.SetForeColor(forms::kWhite);
  lblSend.SetAlignment(forms::kAlignCenter);
  lblSend.SetBackStyle(forms::kTransparent);
  lblSend.SetMousePointer(forms::kHandPointer);
  DesignChatUnavailable(lblChatUnavailable);
}

void frmVersion::Connect() {
  Load = [this] { Form_Load(); };
  lblMenu.Click = [this](int index) { lblMenu_Click(index); };
  lblWeb.Click = [this] { lblWeb_Click(); };
  Image2.Click = [this] { Image2_Click(); };
  lblSend.Click = [this] { lblSend_Click(); };
  lblClose.Click = [this] { lblClose_Click(); };
  cmdUndo.Click = [this] { cmdUndo_Click(); };
}

void frmVersion::Form_Load() {
  // The window object outlives an unload; a new load starts with the chat panel as designed.
  fraCrisp.SetVisible(false);
  txtMessage.SetText("");
  lblNom.SetCaption("Quorvane");
  lblVersion.SetCaption(VersionLine(version_));
  lblMenu_Click(0);
}

void frmVersion::lblMenu_Click(int index) {
  for (int i = 0; i < lblMenu.Count(); ++i) {
    lblMenu[i].SetAppearance(i == index ? forms::k3D : forms::kFlat);
    lblMenu[i].SetForeColor(kBlue);
  }
  if (index != 0) return;
  lblInfo.SetCaption(kInformationPage);
  lblInfo.SetHeight(3800);
  lblInfo.SetAlignment(forms::kAlignLeft);
  fraInfo.SetBorderStyle(1);
}

void frmVersion::lblWeb_Click() {
  if (!addresses_.productSite.empty()) shell_.Open(addresses_.productSite);
}

void frmVersion::Image2_Click() {
  fraCrisp.Move(kChatLeft, kChatTop);
  fraCrisp.SetVisible(true);
  ShowChatPanel({txtMessage, Shape2, lblSend, lblChatUnavailable}, addresses_.supportPage);
}

void frmVersion::lblSend_Click() {
  if (!addresses_.supportPage.empty())
    shell_.Open(SupportChatAddress(addresses_.supportPage, txtMessage.Text()));
  txtMessage.SetText("");
  fraCrisp.SetVisible(false);
}

void frmVersion::lblClose_Click() { fraCrisp.SetVisible(false); }

void frmVersion::cmdUndo_Click() { UnloadForm(); }

}  // namespace settings
