#include <iterator>
#include <string>
#include <vector>

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest/QTest>

#include "settings/colour_table.h"
#include "settings/settings_dialog.h"
#include "tests/app/window_fixture.h"

namespace tessarine::testing {
namespace {

const QString kWarning = "Попытка ввода нецифрового символа!\r\nВводите цифровые символы!";

// The form of the start values, as the window fills the dialog after a first start.
SettingsForm StartForm() {
  SettingsForm form;
  form.bgcolor = "#e0e0e0";
  form.colorhr = "#dc143c";
  form.colorssl = "#a0522d";
  form.colorslssl = "#dc143c";
  form.textindent = "10";
  form.marginleft = "10";
  form.marginright = "10";
  form.umrazm = "0";
  form.fsizessl = "8";
  return form;
}

class SettingsDialogTest : public ::testing::Test {
 protected:
  void SetUp() override { App(); }

  SettingsDialog& Dialog(const SettingsForm& form = StartForm()) {
    services_.show_message = [this](const QString& text) { messages.push_back(text); };
    services_.choose_picture = [this](const QString& filter) {
      picture_filters.push_back(filter);
      return picture;
    };
    dialog_ = std::make_unique<SettingsDialog>(form, services_);
    return *dialog_;
  }
  template <typename T>
  T* Find(const char* name) {
    T* found = dialog_->findChild<T*>(QString::fromLatin1(name));
    EXPECT_NE(found, nullptr) << name;
    return found;
  }
  QLineEdit* Box(const char* name) { return Find<QLineEdit>(name); }
  QComboBox* Colour(const char* name) { return Find<QComboBox>(name); }

  std::vector<QString> messages;
  std::vector<QString> picture_filters;
  QString picture;  // what the picture dialog answers; empty: cancelled

 private:
  DialogServices services_;
  std::unique_ptr<SettingsDialog> dialog_;
};

TEST_F(SettingsDialogTest, FilledFromStartValues) {
  SettingsDialog& dialog = Dialog();
  EXPECT_EQ(dialog.windowTitle(), "Предварительные установки преобразования RTF в Html");
  EXPECT_EQ(dialog.size(), QSize(614, 428));
  EXPECT_EQ(dialog.minimumSize(), dialog.maximumSize());  // cannot be resized
  EXPECT_EQ(dialog.pos(), QPoint(111, 71));
  EXPECT_EQ(dialog.parent(), nullptr);
  EXPECT_EQ(Colour("bgcolorBox")->currentText(), "Белый");  // "#e0e0e0" is not in the table
  EXPECT_EQ(Colour("colorhrBox")->currentText(), "Красный");
  EXPECT_EQ(Colour("colorsslBox")->currentText(), "Коричневый");
  EXPECT_EQ(Colour("colorslsslBox")->currentText(), "Красный");
  EXPECT_EQ(Colour("bgcolorBox")->count(), 22);
  EXPECT_EQ(Colour("bgcolorBox")->itemText(0), "Черный");
  EXPECT_EQ(Box("umrazmBox")->text(), "0");
  EXPECT_EQ(Box("fsizesslBox")->text(), "8");
  EXPECT_FALSE(Find<QCheckBox>("fixedBox")->isChecked());
  EXPECT_TRUE(messages.empty());

  SettingsForm applied = dialog.Result();
  SettingsForm expected = StartForm();
  expected.bgcolor = "#ffffff";  // Apply without a touch turns the background white
  EXPECT_EQ(applied, expected);
}

TEST_F(SettingsDialogTest, ControlsInPlace) {
  Dialog();
  QLabel* note = Find<QLabel>("noteLabel");
  EXPECT_EQ(note->text(),
            "  Внимание! Все установки будут действовать и в          пакетном режиме конвертирования!");
  EXPECT_EQ(note->geometry(), QRect(40, 384, 345, 41));
  EXPECT_EQ(note->palette().color(QPalette::Window), QColor(0xff, 0xfb, 0xf0));
  EXPECT_TRUE(note->wordWrap());
  const struct {
    const char* name;
    QRect geometry;
  } boxes[] = {
      {"bgimageBox", {136, 64, 337, 17}},    {"umrazmBox", {184, 32, 25, 17}},
      {"textindentBox", {504, 32, 41, 17}},  {"marginleftBox", {136, 64, 41, 17}},
      {"marginrightBox", {408, 64, 41, 17}}, {"fsizesslBox", {144, 56, 57, 17}},
      {"titulBox", {128, 24, 185, 17}},      {"titulautorBox", {448, 24, 153, 17}},
  };
  for (const auto& b : boxes) EXPECT_EQ(Box(b.name)->geometry(), b.geometry) << b.name;
  EXPECT_EQ(Find<QPushButton>("applyButton")->geometry(), QRect(416, 392, 89, 25));
  EXPECT_EQ(Find<QPushButton>("cancelButton")->geometry(), QRect(520, 392, 89, 25));
  EXPECT_EQ(Find<QPushButton>("pickPictureButton")->geometry(), QRect(488, 64, 73, 17));
  QStringList groups;
  for (QGroupBox* group : Find<QPushButton>("applyButton")->parentWidget()->findChildren<QGroupBox*>()) {
    groups.append(group->title());
  }
  EXPECT_EQ(groups, (QStringList{"Выбор фона страницы",
                                 "Выбор параметров текста \"по умолчанию\" (размеры в пунктах)", "Сноски",
                                 "Авторские данные"}));
}

// Labels are 17 high; colour boxes take the combo box's own height. Positions are within the
// group boxes.
TEST_F(SettingsDialogTest, LabelsColourBoxesAndCheckBoxInPlace) {
  Dialog();
  const struct {
    const char* text;
    int left, top, width;
  } labels[] = {
      {"Цвет фона:", 8, 32, 73},
      {"Выбрать рисунок фона:", 8, 64, 137},
      {"Уменьшить размер шрифта на", 8, 32, 161},
      {"пунктов.", 216, 32, 65},
      {"Отступ первой строки абзаца:", 312, 32, 161},
      {"Отступ текста слева:", 8, 64, 113},
      {"Отступ текста справа:", 272, 64, 121},
      {"Цвет шрифта сносок:", 8, 24, 121},
      {"Цвет шрифта ссылающего слова:", 264, 24, 177},
      {"Размер шрифта сносок:", 8, 56, 129},
      {"Цвет черты, отделяющей сноски от текста:", 240, 56, 225},
      {"Заголовок документа:", 8, 24, 113},
      {"Автор документов:", 336, 24, 105},
  };
  QWidget* top = Find<QPushButton>("applyButton")->parentWidget();
  QList<QLabel*> found = top->findChildren<QLabel*>();
  for (const auto& l : labels) {
    QLabel* label = nullptr;
    for (QLabel* candidate : found) {
      if (candidate->text() == QString::fromUtf8(l.text)) label = candidate;
    }
    ASSERT_NE(label, nullptr) << l.text;
    EXPECT_EQ(label->geometry(), QRect(l.left, l.top, l.width, 17)) << l.text;
    EXPECT_TRUE(qobject_cast<QGroupBox*>(label->parentWidget()) != nullptr) << l.text;
  }
  EXPECT_EQ(found.size(), static_cast<qsizetype>(std::size(labels)) + 1);  // and the note

  const struct {
    const char* name;
    int left, top, width;
    const char* group;
  } colours[] = {
      {"bgcolorBox", 80, 32, 129, "Выбор фона страницы"},
      {"colorsslBox", 128, 24, 105, "Сноски"},
      {"colorslsslBox", 456, 24, 105, "Сноски"},
      {"colorhrBox", 472, 56, 105, "Сноски"},
  };
  for (const auto& c : colours) {
    QComboBox* box = Colour(c.name);
    EXPECT_EQ(box->pos(), QPoint(c.left, c.top)) << c.name;
    EXPECT_EQ(box->width(), c.width) << c.name;
    EXPECT_TRUE(box->isEditable()) << c.name;  // typed names are accepted
    EXPECT_EQ(static_cast<QGroupBox*>(box->parentWidget())->title(), QString::fromUtf8(c.group)) << c.name;
    ASSERT_EQ(box->count(), 22) << c.name;
    for (int i = 0; i < 22; ++i) {
      std::string_view name = kColourTable[static_cast<size_t>(i)].name;
      EXPECT_EQ(box->itemText(i), QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size())));
    }
  }
  QCheckBox* fixed = Find<QCheckBox>("fixedBox");
  EXPECT_EQ(fixed->geometry(), QRect(248, 32, 241, 17));
  EXPECT_EQ(fixed->text(), "Привязка рисунка фона: фон неподвижен");
  const struct {
    const char* title;
    QRect geometry;
  } groups[] = {
      {"Выбор фона страницы", {8, 16, 601, 97}},
      {"Выбор параметров текста \"по умолчанию\" (размеры в пунктах)", {8, 120, 601, 97}},
      {"Сноски", {8, 224, 601, 89}},
      {"Авторские данные", {8, 320, 601, 57}},
  };
  for (const auto& g : groups) {
    QGroupBox* group = nullptr;
    for (QGroupBox* candidate : top->findChildren<QGroupBox*>()) {
      if (candidate->title() == QString::fromUtf8(g.title)) group = candidate;
    }
    ASSERT_NE(group, nullptr) << g.title;
    EXPECT_EQ(group->geometry(), g.geometry) << g.title;
  }
}

TEST_F(SettingsDialogTest, TwoDigitBoxes) {
  Dialog();
  QLineEdit* margin = Box("marginleftBox");
  margin->clear();
  QTest::keyClicks(margin, "123");
  EXPECT_EQ(margin->text(), "12");
  EXPECT_TRUE(messages.empty());

  margin->clear();
  QTest::keyClicks(margin, "a");
  EXPECT_EQ(margin->text(), "");
  EXPECT_EQ(messages, (std::vector<QString>{kWarning}));

  messages.clear();
  margin->insert("a1");  // pasted: the first character is a letter
  EXPECT_EQ(margin->text(), "");
  EXPECT_EQ(messages.size(), 1u);

  messages.clear();
  margin->setText("7");
  QTest::keyClicks(margin, "x");
  EXPECT_EQ(margin->text(), "");
  EXPECT_EQ(messages.size(), 1u);

  messages.clear();
  margin->setText("1b3");  // three characters lose the last one untested, then "1b" is checked
  EXPECT_EQ(margin->text(), "");
  EXPECT_EQ(messages.size(), 1u);
}

TEST_F(SettingsDialogTest, OneDigitBox) {
  Dialog();
  QLineEdit* reduction = Box("umrazmBox");
  reduction->clear();
  QTest::keyClicks(reduction, "25");
  EXPECT_EQ(reduction->text(), "2");
  reduction->clear();
  QTest::keyClicks(reduction, "x");
  EXPECT_EQ(reduction->text(), "");
  reduction->insert("xy");
  EXPECT_EQ(reduction->text(), "");
  EXPECT_TRUE(messages.empty());  // the 1-digit box is silent
}

TEST_F(SettingsDialogTest, StoredValuesAreCheckedWhenFilled) {
  SettingsForm form = StartForm();
  form.textindent = "123";
  form.fsizessl = "x9";
  form.umrazm = "15";
  SettingsDialog& dialog = Dialog(form);
  EXPECT_EQ(Box("textindentBox")->text(), "12");
  EXPECT_EQ(Box("fsizesslBox")->text(), "");
  EXPECT_EQ(Box("umrazmBox")->text(), "1");
  EXPECT_EQ(messages.size(), 1u);  // for "x9"
  EXPECT_EQ(dialog.Result().textindent, "12");
}

TEST_F(SettingsDialogTest, ColourCodesAndTypedNames) {
  SettingsForm form = StartForm();
  form.bgcolor = "#0000ff";
  form.colorhr = "#A0522D";  // capitals: no entry matches, the box's default
  form.colorssl = "#FFFFFF";
  SettingsDialog& dialog = Dialog(form);
  EXPECT_EQ(Colour("bgcolorBox")->currentText(), "Синий");
  EXPECT_EQ(Colour("colorhrBox")->currentText(), "Красный");
  EXPECT_EQ(Colour("colorsslBox")->currentText(), "Сине-зеленый");

  Colour("bgcolorBox")->setEditText("Бирюзовый");        // no such colour: the old value stays
  Colour("colorslsslBox")->setEditText("Светло-синий");  // a typed name counts
  SettingsForm applied = dialog.Result();
  EXPECT_EQ(applied.bgcolor, "#0000ff");
  EXPECT_EQ(applied.colorslssl, "#1e90ff");
  EXPECT_EQ(applied.colorhr, "#dc143c");
  EXPECT_EQ(applied.colorssl, "#008080");
}

TEST_F(SettingsDialogTest, ApplyCancelAndCloseBox) {
  const struct {
    const char* how;
    int result;
  } cases[] = {{"applyButton", QDialog::Accepted},
               {"cancelButton", QDialog::Rejected},
               {"close box", QDialog::Accepted}};
  for (const auto& c : cases) {
    SettingsDialog& dialog = Dialog();
    dialog.show();
    Box("titulBox")->setText("Заголовок");
    if (std::string(c.how) == "close box") {
      dialog.close();
    } else {
      Find<QPushButton>(c.how)->click();
    }
    EXPECT_FALSE(dialog.isVisible()) << c.how;
    EXPECT_EQ(dialog.result(), c.result) << c.how;
  }
}

TEST_F(SettingsDialogTest, PicturePicker) {
  Dialog();
  picture = "/pictures/фон.gif";
  Find<QPushButton>("pickPictureButton")->click();
  EXPECT_EQ(Box("bgimageBox")->text(), "/pictures/фон.gif");
  EXPECT_EQ(picture_filters, (std::vector<QString>{"Файлы рисунков|*.gif;*.jpg;*.bmp"}));
  picture.clear();  // cancelled: nothing changes
  Find<QPushButton>("pickPictureButton")->click();
  EXPECT_EQ(Box("bgimageBox")->text(), "/pictures/фон.gif");
}

}  // namespace
}  // namespace tessarine::testing
