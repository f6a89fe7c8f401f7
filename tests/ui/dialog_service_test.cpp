// The scripted dialog service answers in order and reports every dialog that had no answer.
#include <QtTest>

#include "ui/common/DialogService.h"

using namespace tavro::ui;
using namespace Qt::StringLiterals;

class DialogServiceTest : public QObject {
  Q_OBJECT

 private:
  ScriptedDialogService script;
  std::unique_ptr<DialogServiceGuard> guard;
  DialogService& service() { return DialogService::instance(); }
  DialogAnswer question() {
    return service().question(nullptr, {}, {}, DialogButtons::YesNo, DialogIcon::Question);
  }

 private slots:
  void init() {
    script = ScriptedDialogService();
    guard = std::make_unique<DialogServiceGuard>(&script);
  }
  void cleanup() { guard.reset(); }

  void answers_in_order_and_records_every_dialog() {
    script.replies = {DialogAnswer::Yes, u"/tmp/a.are"_s, QColor(Qt::blue), DialogAnswer::Ok};
    QCOMPARE(service().question(nullptr, u"Cap"_s, u"Text?"_s, DialogButtons::YesNo, DialogIcon::Question),
             DialogAnswer::Yes);
    QCOMPARE(service().save_file(nullptr, u"Save"_s, u"/x/NewArea.are"_s, u"Area file (*.are)|*.are"_s),
             u"/tmp/a.are"_s);
    QCOMPARE(service().choose_color(nullptr, QColor(Qt::red)), std::optional<QColor>(QColor(Qt::blue)));
    // A message takes an Ok when one is scripted, and goes without one otherwise.
    service().message(nullptr, u"A"_s, u"first"_s, DialogIcon::Error);
    service().message(nullptr, u"B"_s, u"second"_s, DialogIcon::Error);
    QCOMPARE(script.unexpected, 0);
    QVERIFY(script.replies.empty());
    QStringList shown;
    for (const auto& dialog : script.shown)
      shown << dialog.kind + u'|' + dialog.caption + u'|' + dialog.text;
    QCOMPARE(shown, (QStringList{u"question|Cap|Text?"_s, u"save|Save|/x/NewArea.are"_s, u"color||#ff0000"_s,
                                 u"message|A|first"_s, u"message|B|second"_s}));
  }

  void a_dialog_without_an_answer_is_cancelled_and_counted() {
    QCOMPARE(service().question(nullptr, {}, {}, DialogButtons::YesNoCancel, DialogIcon::Question),
             DialogAnswer::Cancel);
    QVERIFY(service().open_file(nullptr, {}, {}, {}).isEmpty());
    QCOMPARE(script.unexpected, 2);
  }

  void a_reply_of_the_wrong_kind_stays_for_the_next_dialog() {
    script.replies = {DialogAnswer::No};
    QVERIFY(service().save_file(nullptr, {}, {}, {}).isEmpty());
    QCOMPARE(script.unexpected, 1);
    QCOMPARE(question(), DialogAnswer::No);
  }

  void a_scripted_cancel_closes_file_and_colour_dialogs() {
    script.replies = {DialogAnswer::Cancel, DialogAnswer::Cancel};
    QVERIFY(service().save_file(nullptr, {}, {}, {}).isEmpty());
    QVERIFY(!service().choose_color(nullptr, QColor(Qt::red)).has_value());
    QCOMPARE(script.unexpected, 0);
    QVERIFY(script.replies.empty());
  }

  // Enter on a real question takes its default button.
  void enter_takes_the_default_button_data() {
    QTest::addColumn<int>("buttons");
    QTest::addColumn<int>("answer");
    QTest::newRow("Recover / Discard") << int(DialogButtons::RecoverDiscard) << int(DialogAnswer::Yes);
    QTest::newRow("Yes / No, No the default") << int(DialogButtons::YesNoDefaultNo) << int(DialogAnswer::No);
  }

  void enter_takes_the_default_button() {
    QFETCH(int, buttons);
    QFETCH(int, answer);
    guard.reset();
    QTimer::singleShot(0, [] {
      if (QWidget* box = QApplication::activeModalWidget()) QTest::keyClick(box, Qt::Key_Return);
    });
    QCOMPARE(service().question(nullptr, u"Cap"_s, u"Text?"_s, DialogButtons(buttons), DialogIcon::Question),
             DialogAnswer(answer));
  }

  void the_guard_restores_the_real_dialogs() {
    QCOMPARE(&service(), static_cast<DialogService*>(&script));
    guard.reset();
    QVERIFY(dynamic_cast<QtDialogService*>(&service()) != nullptr);
  }
};

QTEST_MAIN(DialogServiceTest)
#include "dialog_service_test.moc"
