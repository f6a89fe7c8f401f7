#pragma once
// Every modal question, message box, file dialog and colour dialog goes through this service, so that
// tests can answer them. The application installs the Qt implementation; tests install a scripted one.
#include <QColor>
#include <QString>
#include <QStringList>
#include <deque>
#include <optional>
#include <variant>

class QWidget;

namespace tavro::ui {

enum class DialogIcon { Information, Question, Warning, Error };
// RecoverDiscard: buttons "Recover" (answer Yes, the default, also what Esc gives: nothing is lost) and
// "Discard" (answer No).
// YesNoDefaultNo: Yes and No with No the default, for a question whose Yes is hard to take back by eye.
enum class DialogButtons { Ok, YesNo, YesNoCancel, OkCancel, RecoverDiscard, YesNoDefaultNo };
enum class DialogAnswer { Ok, Cancel, Yes, No };

class DialogService {
 public:
  virtual ~DialogService() = default;

  virtual void message(QWidget* parent, const QString& caption, const QString& text, DialogIcon icon) = 0;
  virtual DialogAnswer question(QWidget* parent, const QString& caption, const QString& text,
                                DialogButtons buttons, DialogIcon icon) = 0;
  // Empty result: cancelled.
  virtual QString open_file(QWidget* parent, const QString& caption, const QString& folder,
                            const QString& filter) = 0;
  virtual QString save_file(QWidget* parent, const QString& caption, const QString& suggested,
                            const QString& filter) = 0;
  virtual std::optional<QColor> choose_color(QWidget* parent, const QColor& initial) = 0;

  // The service in use; a QtDialogService unless one was installed.
  static DialogService& instance();
  // Installs service (not owned); nullptr restores the Qt one.
  static void install(DialogService* service);
};

// Real dialogs.
class QtDialogService : public DialogService {
 public:
  void message(QWidget* parent, const QString& caption, const QString& text, DialogIcon icon) override;
  DialogAnswer question(QWidget* parent, const QString& caption, const QString& text, DialogButtons buttons,
                        DialogIcon icon) override;
  QString open_file(QWidget* parent, const QString& caption, const QString& folder,
                    const QString& filter) override;
  QString save_file(QWidget* parent, const QString& caption, const QString& suggested,
                    const QString& filter) override;
  std::optional<QColor> choose_color(QWidget* parent, const QColor& initial) override;
};

// Answers from a script, in order, and records every dialog shown (for tests). A dialog with no scripted
// answer left is answered Cancel / empty and recorded as unexpected.
class ScriptedDialogService : public DialogService {
 public:
  struct Shown {
    QString kind;  // "message", "question", "open", "save", "color"
    QString caption;
    QString text;
  };
  using Reply = std::variant<DialogAnswer, QString, QColor>;

  std::deque<Reply> replies;
  std::vector<Shown> shown;
  int unexpected = 0;

  void message(QWidget* parent, const QString& caption, const QString& text, DialogIcon icon) override;
  DialogAnswer question(QWidget* parent, const QString& caption, const QString& text, DialogButtons buttons,
                        DialogIcon icon) override;
  QString open_file(QWidget* parent, const QString& caption, const QString& folder,
                    const QString& filter) override;
  QString save_file(QWidget* parent, const QString& caption, const QString& suggested,
                    const QString& filter) override;
  std::optional<QColor> choose_color(QWidget* parent, const QColor& initial) override;
};

// Installs a service for the lifetime of the guard (tests).
class DialogServiceGuard {
 public:
  explicit DialogServiceGuard(DialogService* service) { DialogService::install(service); }
  ~DialogServiceGuard() { DialogService::install(nullptr); }
};

}  // namespace tavro::ui
