#include "settings/settings_dialog.h"

#include <string>

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "settings/colour_table.h"
#include "settings/digit_check.h"

namespace tessarine {

namespace {

constexpr const char* kCaption = "Предварительные установки преобразования RTF в Html";
constexpr const char* kDigitWarning = "Попытка ввода нецифрового символа!\r\nВводите цифровые символы!";
constexpr const char* kPictureFilter = "Файлы рисунков|*.gif;*.jpg;*.bmp";
constexpr const char* kNote =
    "  Внимание! Все установки будут действовать и в          пакетном режиме конвертирования!";
constexpr int kLabelHeight = 17;

QString Text(const char* utf8) {
  return QString::fromUtf8(utf8);
}

QGroupBox* Group(QWidget* parent, const char* caption, int left, int top, int width, int height) {
  auto* group = new QGroupBox(Text(caption), parent);
  group->setGeometry(left, top, width, height);
  return group;
}

void Label(QWidget* parent, const char* text, int left, int top, int width) {
  auto* label = new QLabel(Text(text), parent);
  label->setGeometry(left, top, width, kLabelHeight);
}

QLineEdit* Box(QWidget* parent, const char* name, int left, int top, int width) {
  auto* box = new QLineEdit(parent);
  box->setObjectName(QString::fromLatin1(name));
  box->setGeometry(left, top, width, kLabelHeight);
  return box;
}

QComboBox* ColourBox(QWidget* parent, const char* name, int left, int top, int width) {
  auto* box = new QComboBox(parent);
  box->setObjectName(QString::fromLatin1(name));
  box->setEditable(true);
  box->setInsertPolicy(QComboBox::NoInsert);
  box->setGeometry(left, top, width, box->sizeHint().height());
  return box;
}

// Runs `check` on the box's text after every change; putting the checked text back is a change
// too, so the check runs again until the text stays.
void KeepDigits(QLineEdit* box, DigitCheck (*check)(std::u16string_view), const DialogServices* services) {
  QObject::connect(box, &QLineEdit::textChanged, box, [box, check, services](const QString& text) {
    DigitCheck result = check(text.toStdU16String());
    if (result.warn && services->show_message) services->show_message(Text(kDigitWarning));
    QString checked = QString::fromStdU16String(result.text);
    if (checked != text) box->setText(checked);
  });
}

void SelectColour(QComboBox* box, const QString& code, int fallback) {
  box->clear();
  for (const NamedColour& colour : kColourTable) {
    box->addItem(QString::fromUtf8(colour.name.data(), static_cast<qsizetype>(colour.name.size())));
  }
  box->setCurrentIndex(ColourIndexFor(code.toStdString(), fallback));
}

QString ColourOf(const QComboBox* box, const QString& previous) {
  int index = ColourIndexNamed(box->currentText().toStdString());
  if (index < 0) return previous;
  std::string_view code = kColourTable[static_cast<size_t>(index)].code;
  return QString::fromLatin1(code.data(), static_cast<qsizetype>(code.size()));
}

}  // namespace

SettingsDialog::SettingsDialog(const SettingsForm& form, DialogServices services, QWidget* parent)
    : QDialog(parent), services_(std::move(services)), filled_(form) {
  setWindowTitle(Text(kCaption));
  // The controls' widths are made for a small, narrow font: labels must fit them.
  QFont small = font();
  small.setPixelSize(11);
  small.setStretch(QFont::SemiCondensed);
  small.setLetterSpacing(QFont::PercentageSpacing, 96);
  setFont(small);
  CreateControls();
  setFixedSize(614, 428);
  move(111, 71);
  Fill(form);
}

void SettingsDialog::CreateControls() {
  QGroupBox* background = Group(this, "Выбор фона страницы", 8, 16, 601, 97);
  Label(background, "Цвет фона:", 8, 32, 73);
  bgcolor_ = ColourBox(background, "bgcolorBox", 80, 32, 129);
  fixed_ = new QCheckBox(Text("Привязка рисунка фона: фон неподвижен"), background);
  fixed_->setObjectName(QStringLiteral("fixedBox"));
  fixed_->setGeometry(248, 32, 241, 17);
  Label(background, "Выбрать рисунок фона:", 8, 64, 137);
  bgimage_ = Box(background, "bgimageBox", 136, 64, 337);
  auto* pick = new QPushButton(Text("Выбрать"), background);
  pick->setObjectName(QStringLiteral("pickPictureButton"));
  pick->setGeometry(488, 64, 73, 17);
  connect(pick, &QPushButton::clicked, this, &SettingsDialog::PickPicture);

  QGroupBox* text =
      Group(this, "Выбор параметров текста \"по умолчанию\" (размеры в пунктах)", 8, 120, 601, 97);
  Label(text, "Уменьшить размер шрифта на", 8, 32, 161);
  umrazm_ = Box(text, "umrazmBox", 184, 32, 25);
  Label(text, "пунктов.", 216, 32, 65);
  Label(text, "Отступ первой строки абзаца:", 312, 32, 161);
  textindent_ = Box(text, "textindentBox", 504, 32, 41);
  Label(text, "Отступ текста слева:", 8, 64, 113);
  marginleft_ = Box(text, "marginleftBox", 136, 64, 41);
  Label(text, "Отступ текста справа:", 272, 64, 121);
  marginright_ = Box(text, "marginrightBox", 408, 64, 41);

  QGroupBox* notes = Group(this, "Сноски", 8, 224, 601, 89);
  Label(notes, "Цвет шрифта сносок:", 8, 24, 121);
  colorssl_ = ColourBox(notes, "colorsslBox", 128, 24, 105);
  Label(notes, "Цвет шрифта ссылающего слова:", 264, 24, 177);
  colorslssl_ = ColourBox(notes, "colorslsslBox", 456, 24, 105);
  Label(notes, "Размер шрифта сносок:", 8, 56, 129);
  fsizessl_ = Box(notes, "fsizesslBox", 144, 56, 57);
  Label(notes, "Цвет черты, отделяющей сноски от текста:", 240, 56, 225);
  colorhr_ = ColourBox(notes, "colorhrBox", 472, 56, 105);

  QGroupBox* author = Group(this, "Авторские данные", 8, 320, 601, 57);
  Label(author, "Заголовок документа:", 8, 24, 113);
  titul_ = Box(author, "titulBox", 128, 24, 185);
  Label(author, "Автор документов:", 336, 24, 105);
  titulautor_ = Box(author, "titulautorBox", 448, 24, 153);

  auto* note = new QLabel(Text(kNote), this);
  note->setObjectName(QStringLiteral("noteLabel"));
  note->setTextFormat(Qt::PlainText);
  note->setWordWrap(true);
  note->setGeometry(40, 384, 345, 41);
  note->setAutoFillBackground(true);
  QPalette palette = note->palette();
  palette.setColor(QPalette::Window, QColor(0xff, 0xfb, 0xf0));
  note->setPalette(palette);

  auto* apply = new QPushButton(Text("Применить"), this);
  apply->setObjectName(QStringLiteral("applyButton"));
  apply->setGeometry(416, 392, 89, 25);
  connect(apply, &QPushButton::clicked, this, &QDialog::accept);
  auto* cancel = new QPushButton(Text("Отмена"), this);
  cancel->setObjectName(QStringLiteral("cancelButton"));
  cancel->setGeometry(520, 392, 89, 25);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

  for (QLineEdit* box : {textindent_, marginleft_, marginright_, fsizessl_}) {
    KeepDigits(box, &CheckTwoDigitBox, &services_);
  }
  KeepDigits(umrazm_, &CheckOneDigitBox, &services_);
}

void SettingsDialog::Fill(const SettingsForm& form) {
  bgimage_->setText(form.bgimage);
  textindent_->setText(form.textindent);
  marginleft_->setText(form.marginleft);
  marginright_->setText(form.marginright);
  titul_->setText(form.titul);
  titulautor_->setText(form.titulautor);
  fsizessl_->setText(form.fsizessl);
  umrazm_->setText(form.umrazm);
  SelectColour(bgcolor_, form.bgcolor, kDefaultBackgroundColour);
  SelectColour(colorhr_, form.colorhr, kDefaultRuleColour);
  SelectColour(colorssl_, form.colorssl, kDefaultFootnoteColour);
  SelectColour(colorslssl_, form.colorslssl, kDefaultReferenceColour);
  fixed_->setChecked(form.fixed);
}

SettingsForm SettingsDialog::Result() const {
  SettingsForm form;
  form.bgcolor = ColourOf(bgcolor_, filled_.bgcolor);
  form.colorhr = ColourOf(colorhr_, filled_.colorhr);
  form.colorssl = ColourOf(colorssl_, filled_.colorssl);
  form.colorslssl = ColourOf(colorslssl_, filled_.colorslssl);
  form.bgimage = bgimage_->text();
  form.textindent = textindent_->text();
  form.marginleft = marginleft_->text();
  form.marginright = marginright_->text();
  form.umrazm = umrazm_->text();
  form.fsizessl = fsizessl_->text();
  form.titul = titul_->text();
  form.titulautor = titulautor_->text();
  form.fixed = fixed_->isChecked();
  return form;
}

void SettingsDialog::closeEvent(QCloseEvent* event) {
  done(QDialog::Accepted);
  event->accept();
}

void SettingsDialog::PickPicture() {
  if (!services_.choose_picture) return;
  QString path = services_.choose_picture(Text(kPictureFilter));
  if (!path.isEmpty()) bgimage_->setText(path);
}

}  // namespace tessarine
