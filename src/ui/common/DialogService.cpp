#include "ui/common/DialogService.h"

#include <QColorDialog>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>

namespace tavro::ui {

namespace {

DialogService* installed_service = nullptr;

QMessageBox::Icon to_box_icon(DialogIcon icon) {
  switch (icon) {
    case DialogIcon::Information:
      return QMessageBox::Information;
    case DialogIcon::Question:
      return QMessageBox::Question;
    case DialogIcon::Warning:
      return QMessageBox::Warning;
    case DialogIcon::Error:
      return QMessageBox::Critical;
  }
  return QMessageBox::NoIcon;
}

QMessageBox::StandardButtons to_box_buttons(DialogButtons buttons) {
  switch (buttons) {
    case DialogButtons::Ok:
      return QMessageBox::Ok;
    case DialogButtons::YesNo:
    case DialogButtons::RecoverDiscard:
    case DialogButtons::YesNoDefaultNo:
      return QMessageBox::Yes | QMessageBox::No;
    case DialogButtons::YesNoCancel:
      return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    case DialogButtons::OkCancel:
      return QMessageBox::Ok | QMessageBox::Cancel;
  }
  return QMessageBox::Ok;
}

// The button Esc (or closing the box) stands for.
QMessageBox::StandardButton escape_button(DialogButtons buttons) {
  switch (buttons) {
    case DialogButtons::Ok:
      return QMessageBox::Ok;
    case DialogButtons::YesNo:
    case DialogButtons::YesNoDefaultNo:
      return QMessageBox::No;
    case DialogButtons::RecoverDiscard:
      return QMessageBox::Yes;
    case DialogButtons::YesNoCancel:
    case DialogButtons::OkCancel:
      return QMessageBox::Cancel;
  }
  return QMessageBox::Cancel;
}

DialogAnswer to_answer(int button) {
  switch (button) {
    case QMessageBox::Ok:
      return DialogAnswer::Ok;
    case QMessageBox::Yes:
      return DialogAnswer::Yes;
    case QMessageBox::No:
      return DialogAnswer::No;
    default:
      return DialogAnswer::Cancel;
  }
}

// Windows-style filters ("Area file (*.are)|*.are") become Qt's ("Area file (*.are)"); a filter that is
// already in Qt's form passes unchanged.
QString to_qt_filter(const QString& filter) {
  const QStringList parts = filter.split(QLatin1Char('|'));
  if (parts.size() < 2) return filter;
  QStringList qt_filters;
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
    const QString& label = parts[i];
    const QString patterns = parts[i + 1].split(QLatin1Char(';'), Qt::SkipEmptyParts).join(QLatin1Char(' '));
    qt_filters << (label.contains(QLatin1Char('(')) ? label : label + QStringLiteral(" (") + patterns + u')');
  }
  return qt_filters.join(QStringLiteral(";;"));
}

// Model texts break lines with CR LF; a message box wants LF alone.
QString box_text(const QString& text) {
  QString lf = text;
  return lf.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

}  // namespace

DialogService& DialogService::instance() {
  static QtDialogService qt_service;
  return installed_service ? *installed_service : qt_service;
}

void DialogService::install(DialogService* service) {
  installed_service = service;
}

void QtDialogService::message(QWidget* parent, const QString& caption, const QString& text, DialogIcon icon) {
  QMessageBox box(to_box_icon(icon), caption, box_text(text), QMessageBox::Ok, parent);
  box.exec();
}

DialogAnswer QtDialogService::question(QWidget* parent, const QString& caption, const QString& text,
                                       DialogButtons buttons, DialogIcon icon) {
  QMessageBox box(to_box_icon(icon), caption, box_text(text), to_box_buttons(buttons), parent);
  box.setEscapeButton(escape_button(buttons));
  if (buttons == DialogButtons::RecoverDiscard) {
    box.button(QMessageBox::Yes)->setText(QStringLiteral("&Recover"));
    box.button(QMessageBox::No)->setText(QStringLiteral("&Discard"));
    box.setDefaultButton(QMessageBox::Yes);
  }
  if (buttons == DialogButtons::YesNoDefaultNo) box.setDefaultButton(QMessageBox::No);
  return to_answer(box.exec());
}

QString QtDialogService::open_file(QWidget* parent, const QString& caption, const QString& folder,
                                   const QString& filter) {
  return QFileDialog::getOpenFileName(parent, caption, folder, to_qt_filter(filter));
}

QString QtDialogService::save_file(QWidget* parent, const QString& caption, const QString& suggested,
                                   const QString& filter) {
  return QFileDialog::getSaveFileName(parent, caption, suggested, to_qt_filter(filter));
}

std::optional<QColor> QtDialogService::choose_color(QWidget* parent, const QColor& initial) {
  const QColor chosen = QColorDialog::getColor(initial, parent);
  if (!chosen.isValid()) return std::nullopt;
  return chosen;
}

namespace {

// Takes the next scripted reply when it holds the wanted kind; otherwise counts the dialog as unexpected.
// The replies queue is left as it was for an unexpected dialog, so the rest of the script stays in step.
template <typename T>
std::optional<T> take_reply(ScriptedDialogService& service) {
  if (service.replies.empty()) {
    ++service.unexpected;
    return std::nullopt;
  }
  const auto* reply = std::get_if<T>(&service.replies.front());
  const auto* answer = std::get_if<DialogAnswer>(&service.replies.front());
  if (!reply && answer && *answer == DialogAnswer::Cancel) {
    // A scripted Cancel closes a file or colour dialog without a choice.
    service.replies.pop_front();
    return std::nullopt;
  }
  if (!reply) {
    ++service.unexpected;
    return std::nullopt;
  }
  T value = *reply;
  service.replies.pop_front();
  return value;
}

}  // namespace

void ScriptedDialogService::message(QWidget*, const QString& caption, const QString& text, DialogIcon) {
  shown.push_back({QStringLiteral("message"), caption, text});
  // A message needs no answer; a scripted Ok is taken when it is next, so scripts may list it or not.
  if (!replies.empty()) {
    const auto* answer = std::get_if<DialogAnswer>(&replies.front());
    if (answer && *answer == DialogAnswer::Ok) replies.pop_front();
  }
}

DialogAnswer ScriptedDialogService::question(QWidget*, const QString& caption, const QString& text,
                                             DialogButtons, DialogIcon) {
  shown.push_back({QStringLiteral("question"), caption, text});
  return take_reply<DialogAnswer>(*this).value_or(DialogAnswer::Cancel);
}

QString ScriptedDialogService::open_file(QWidget*, const QString& caption, const QString& folder,
                                         const QString&) {
  shown.push_back({QStringLiteral("open"), caption, folder});
  return take_reply<QString>(*this).value_or(QString());
}

QString ScriptedDialogService::save_file(QWidget*, const QString& caption, const QString& suggested,
                                         const QString&) {
  shown.push_back({QStringLiteral("save"), caption, suggested});
  return take_reply<QString>(*this).value_or(QString());
}

std::optional<QColor> ScriptedDialogService::choose_color(QWidget*, const QColor& initial) {
  shown.push_back({QStringLiteral("color"), QString(), initial.name()});
  return take_reply<QColor>(*this);
}

}  // namespace tavro::ui
