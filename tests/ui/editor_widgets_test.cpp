// The pieces the record editors share: flag check lists and drop-downs that keep what their lists
// cannot show, the description field, and the cases dialog.
#include <QAccessible>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>
#include <QtTest>
#include <functional>

#include "reading/Cp1251.h"
#include "ui/common/DialogService.h"
#include "ui/common/TextConversion.h"
#include "ui/editors/CasesFixForm.h"
#include "ui/editors/ChoiceBox.h"
#include "ui/editors/FlagCheckList.h"
#include "ui/editors/TextField.h"

using namespace tavro;
using namespace tavro::ui;
using namespace Qt::StringLiterals;

namespace {

TBitVector bits_of(std::initializer_list<int> numbers) {
  TBitVector v;
  for (int n : numbers)
    v.set(n);
  return v;
}

QString accessible_name(QWidget* widget) {
  return QAccessible::queryAccessibleInterface(widget)->text(QAccessible::Name);
}

}  // namespace

class EditorWidgetsTest : public QObject {
  Q_OBJECT

 private:
  ScriptedDialogService script;
  std::unique_ptr<DialogServiceGuard> guard;

  // Runs the cases dialog of the calling editors on set; act works the open dialog.
  std::optional<QString> edit_cases(const QString& set, const std::function<void(TCasesFixForm&)>& act) {
    QTimer::singleShot(0, this, [&] {
      auto* form = qobject_cast<TCasesFixForm*>(QApplication::activeModalWidget());
      QVERIFY(form);
      act(*form);
      if (form->isVisible()) form->reject();  // a dialog left open fails the comparison, not the run
    });
    return TCasesFixForm::EditCaseSet(nullptr, set);
  }

 private slots:
  void init() {
    script = ScriptedDialogService();
    guard = std::make_unique<DialogServiceGuard>(&script);
  }
  void cleanup() {
    QCOMPARE(script.unexpected, 0);
    guard.reset();
  }

  void check_list_edits_keep_the_bits_no_row_names() {
    TFlagCheckList list;
    list.setFlagList({"3=C", "0=" + w("Щит"), "31=Z"});
    list.setFlags(0x31u);  // bits 4 and 5 have no row
    QCOMPARE(list.item(1)->text(), u"Щит"_s);
    QCOMPARE(list.ticks(), (std::vector<bool>{false, true, false}));
    list.setCurrentRow(0);
    QTest::keyClick(&list, Qt::Key_Space);  // ticks C
    QTest::keyClick(&list, Qt::Key_Down);
    QTest::keyClick(&list, Qt::Key_Space);  // unticks the shield
    QCOMPARE(list.flags(), 0x38u);

    list.setFlagList({"5=A", "40=B"});
    list.setBitVector(bits_of({5, 64}));
    list.item(1)->setCheckState(Qt::Checked);
    QCOMPARE(list.bitVector(), bits_of({5, 40, 64}));

    list.setPlainList({"none", "shirt", "cloak"});
    list.setFlags((1u << 7) | 2u);
    QCOMPARE(list.ticks(), (std::vector<bool>{false, true, false}));
    list.item(1)->setCheckState(Qt::Unchecked);
    QCOMPARE(list.flags(), 1u << 7);

    // A choice no row stands for stays unless the user selects a row.
    list.setChoice(1u << 9);
    QCOMPARE(list.choice(), 1u << 9);
    list.setCurrentRow(2);
    QCOMPARE(list.choice(), 4u);
  }

  void check_list_rows_fill_several_columns() {
    TFlagCheckList list;
    std::vector<std::string> names;
    for (int i = 0; i < 20; ++i)
      names.push_back(std::to_string(i) + "=FLAG_" + std::to_string(i));
    list.setFlagList(names);
    list.resize(400, 5 * list.sizeHintForRow(0));
    list.show();
    QVERIFY(QTest::qWaitForWindowExposed(&list));
    QCOMPARE(list.visualItemRect(list.item(1)).left(), list.visualItemRect(list.item(0)).left());
    QVERIFY(list.visualItemRect(list.item(19)).left() > list.visualItemRect(list.item(0)).left());
  }

  void a_choice_outside_the_list_survives() {
    TChoiceBox box;
    box.setPlainList({"inside", w("город")});
    box.setValue(5);
    QCOMPARE(box.currentText(), u"5"_s);
    QCOMPARE(box.value(), 5);
    QTest::keyClick(&box, Qt::Key_Up);
    QCOMPARE(std::make_pair(box.currentText(), box.value()), std::make_pair(u"город"_s, 1));
    QTest::keyClick(&box, Qt::Key_Down);  // back to the stored number
    QCOMPARE(box.value(), 5);
    box.setValue(0);
    QCOMPARE(box.count(), 2);

    box.setEntries({u"[None]"_s, u"spec_a"_s}, {-1, 1});
    box.setValue(-1);
    QCOMPARE(box.currentIndex(), 0);
    box.setCurrentIndex(-1);
    QCOMPARE(box.value(), -1);
    box.setFlagList({"0=UNDEFINED", "3=SLIP"});
    box.setValue(3);
    QCOMPARE(box.currentText(), u"SLIP"_s);
  }

  void the_text_field_takes_and_gives_model_text() {
    TTextField field;
    const std::string texts[] = {"", "one\r\ntwo", "line\r\n\r\n", w("Длинный меч\r\nлежит здесь.\r\n"),
                                 "\xA0no-break\tand tab\r\n"};
    for (const std::string& text : texts) {
      field.setText(text);
      QVERIFY(!field.toPlainText().contains(u'\r'));
      QCOMPARE(field.text(), text);
    }
  }

  void tab_leaves_the_text_field() {
    QWidget form;
    auto* field = new TTextField(&form);
    auto* next = new QPushButton(u"OK"_s, &form);
    auto* layout = new QVBoxLayout(&form);
    layout->addWidget(field);
    layout->addWidget(next);
    form.show();
    form.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&form));
    field->setFocus();
    QTest::keyClick(field, Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), next);
    QCOMPARE(field->text(), std::string());
  }

  void the_guide_stands_after_column_80() {
    TTextField field;
    field.resize(QFontMetrics(field.font()).horizontalAdvance(u'W') * 90, 120);
    field.setText(std::string(80, 'x') + "\r\nshort");
    field.show();
    QVERIFY(QTest::qWaitForWindowExposed(&field));
    QTextCursor end_of_80 = field.textCursor();
    end_of_80.setPosition(80);
    QVERIFY(qAbs(field.cursorRect(end_of_80).left() - field.guideX()) <= 1);
    const QImage image = field.viewport()->grab().toImage();
    const int below_text = image.height() - 2;
    const QRgb guide = field.palette().color(QPalette::Mid).rgb();
    QCOMPARE(image.pixel(field.guideX(), below_text), guide);
    QVERIFY(image.pixel(field.guideX() - 3, below_text) != guide);
  }

  void the_cases_dialog_shows_and_folds_the_forms() {
    struct Case {
      QString set;
      std::function<void(TCasesFixForm&)> act;
      std::optional<QString> result;
    };
    const Case cases[] = {{u"  sword  "_s, [](TCasesFixForm& f) { f.Button1->click(); }, u"sword"_s},
                          {u"sword::a:b:c:d:e"_s,
                           [](TCasesFixForm& f) {
                             QCOMPARE(f.Edit4->text(), u"swordc"_s);
                             f.Edit2->setText(f.Edit2->text() + u"x   "_s);
                             QTest::keyClick(f.Edit2, Qt::Key_Return);
                           },
                           u"sword::ax:b:c:d:e"_s},
                          {u"sword"_s,
                           [](TCasesFixForm& f) {
                             f.Edit1->setText(u"spear"_s);
                             QTest::keyClick(&f, Qt::Key_Escape);
                           },
                           std::nullopt}};
    for (const Case& c : cases)
      QCOMPARE(edit_cases(c.set, c.act), c.result);
  }

  void ok_refuses_forms_that_would_not_come_back() {
    TCasesFixForm form;
    form.SetCaseSet(u"big cat"_s);
    form.show();
    const std::tuple<QLineEdit*, QString, QString> cases[] = {
        {form.Edit1, u"big:cat"_s, u"Именительный (кто, что): \"big:cat\" would be stored as \"big \"."_s},
        {form.Edit3, u"big"_s, u"Дательный (кому, чему): \"big\" would be stored as \"big \"."_s}};
    for (const auto& [edit, typed, message] : cases) {
      form.SetCaseSet(u"big cat"_s);
      edit->setText(typed);
      script.shown.clear();
      form.Button1->click();
      QCOMPARE(script.shown.size(), size_t(1));
      QCOMPARE(script.shown[0].caption, u"Cases Fix"_s);
      QVERIFY2(script.shown[0].text.startsWith(message), qPrintable(script.shown[0].text));
      QVERIFY(form.isVisible());
      QCOMPARE(form.focusWidget(), edit);
      QCOMPARE(edit->text(), typed);
    }
    form.Edit3->setText(u"big cats"_s);
    form.Button1->click();
    QCOMPARE(form.result(), int(QDialog::Accepted));
    QCOMPARE(form.CaseSet(), u"big cat:::s:::"_s);
  }

  void the_cases_dialog_names_its_fields_and_runs_down_them() {
    TCasesFixForm form;
    QCOMPARE(form.windowTitle(), u"Cases Fix"_s);
    const QLabel* labels[] = {form.Label1, form.Label2, form.Label3, form.Label4, form.Label5, form.Label6};
    QWidget* order[] = {form.Edit1, form.Edit2, form.Edit3,   form.Edit4,
                        form.Edit5, form.Edit6, form.Button1, form.Button2};
    QCOMPARE(form.Label6->text(), u"Предложный (о ком, о чем)"_s);
    for (int i = 0; i < 6; ++i) {
      QCOMPARE(labels[i]->buddy(), order[i]);
      QCOMPARE(accessible_name(order[i]), labels[i]->text());
      QCOMPARE(order[i]->nextInFocusChain(), order[i + 1]);
    }
    QCOMPARE(accessible_name(form.Button1), u"OK"_s);
    QCOMPARE(accessible_name(form.Button2), u"Cancel"_s);
  }
};

QTEST_MAIN(EditorWidgetsTest)
#include "editor_widgets_test.moc"
