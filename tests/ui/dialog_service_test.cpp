// The scripted dialog service answers in order and reports every dialog that had no answer.
#include <QtTest>

#include "ui/common/DialogService.h"

using namespace tavro::ui;

class DialogServiceTest : public QObject {
  Q_OBJECT

 private slots:
  void answers_in_order_and_records_every_dialog() {
    ScriptedDialogService script;
    script.replies = {DialogAnswer::Yes, QStringLiteral("/tmp/a.are"), QColor(Qt::blue)};
    DialogServiceGuard guard(&script);
    DialogService& service = DialogService::instance();

    QCOMPARE(service.question(nullptr, QStringLiteral("Cap"), QStringLiteral("Text?"), DialogButtons::YesNo,
                              DialogIcon::Question),
             DialogAnswer::Yes);
    QCOMPARE(service.save_file(nullptr, QStringLiteral("Save"), QStringLiteral("/x/NewArea.are"),
                               QStringLiteral("Area file (*.are)|*.are")),
             QStringLiteral("/tmp/a.are"));
    const auto color = service.choose_color(nullptr, QColor(Qt::red));
    QVERIFY(color.has_value());
    QCOMPARE(*color, QColor(Qt::blue));

    QCOMPARE(script.unexpected, 0);
    QCOMPARE(script.shown.size(), size_t(3));
    QCOMPARE(script.shown[0].kind, QStringLiteral("question"));
    QCOMPARE(script.shown[0].caption, QStringLiteral("Cap"));
    QCOMPARE(script.shown[0].text, QStringLiteral("Text?"));
    QCOMPARE(script.shown[1].kind, QStringLiteral("save"));
    QCOMPARE(script.shown[1].text, QStringLiteral("/x/NewArea.are"));
    QCOMPARE(script.shown[2].kind, QStringLiteral("color"));
  }

  void a_dialog_without_an_answer_is_cancelled_and_counted() {
    ScriptedDialogService script;
    DialogServiceGuard guard(&script);
    QCOMPARE(
        DialogService::instance().question(nullptr, {}, {}, DialogButtons::YesNoCancel, DialogIcon::Question),
        DialogAnswer::Cancel);
    QVERIFY(DialogService::instance().open_file(nullptr, {}, {}, {}).isEmpty());
    QCOMPARE(script.unexpected, 2);
  }

  void a_reply_of_the_wrong_kind_stays_for_the_next_dialog() {
    ScriptedDialogService script;
    script.replies = {DialogAnswer::No};
    DialogServiceGuard guard(&script);
    QVERIFY(DialogService::instance().save_file(nullptr, {}, {}, {}).isEmpty());
    QCOMPARE(script.unexpected, 1);
    QCOMPARE(DialogService::instance().question(nullptr, {}, {}, DialogButtons::YesNo, DialogIcon::Question),
             DialogAnswer::No);
  }

  void a_scripted_cancel_closes_file_and_colour_dialogs() {
    ScriptedDialogService script;
    script.replies = {DialogAnswer::Cancel, DialogAnswer::Cancel};
    DialogServiceGuard guard(&script);
    QVERIFY(DialogService::instance().save_file(nullptr, {}, {}, {}).isEmpty());
    QVERIFY(!DialogService::instance().choose_color(nullptr, QColor(Qt::red)).has_value());
    QCOMPARE(script.unexpected, 0);
    QVERIFY(script.replies.empty());
  }

  void messages_take_an_optional_ok() {
    ScriptedDialogService script;
    script.replies = {DialogAnswer::Ok, DialogAnswer::Yes};
    DialogServiceGuard guard(&script);
    DialogService::instance().message(nullptr, QStringLiteral("A"), QStringLiteral("first"),
                                      DialogIcon::Error);
    DialogService::instance().message(nullptr, QStringLiteral("B"), QStringLiteral("second"),
                                      DialogIcon::Error);
    QCOMPARE(script.replies.size(), size_t(1));
    QCOMPARE(script.shown.size(), size_t(2));
    QCOMPARE(script.shown[1].text, QStringLiteral("second"));
    QCOMPARE(script.unexpected, 0);
  }

  void the_guard_restores_the_real_dialogs() {
    ScriptedDialogService script;
    {
      DialogServiceGuard guard(&script);
      QCOMPARE(&DialogService::instance(), static_cast<DialogService*>(&script));
    }
    QVERIFY(dynamic_cast<QtDialogService*>(&DialogService::instance()) != nullptr);
  }
};

QTEST_MAIN(DialogServiceTest)
#include "dialog_service_test.moc"
