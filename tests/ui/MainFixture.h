#pragma once
// A scratch copy of the sample world's settings, lists and reference data, with areas the test writes
// itself, and the current folder moved into it (the editor starts from the current folder); and the main
// window over it with its dialogs answered by script. The settings hold a session (so that no start-up
// opens the area picker as on a first start) and the recovery files go to a folder inside the copy.
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QMdiArea>
#include <QTemporaryDir>
#include <QTest>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "area/Area.h"
#include "area/Header.h"
#include "reading/AreaFile.h"
#include "ui/common/DialogService.h"
#include "ui/common/WorldDocument.h"
#include "ui/main/MainForm.h"
#include "world/Areas.h"
#include "world/World.h"

namespace tavro::ui::testing {

inline bool copy_tree(const QString& from, const QString& to) {
  QDir().mkpath(to);
  QDirIterator it(from, QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
  while (it.hasNext()) {
    const QString source = it.next();
    const QString target = to + u'/' + QDir(from).relativeFilePath(source);
    if (it.fileInfo().isDir()) {
      QDir().mkpath(target);
    } else if (!QFile::copy(source, target)) {
      return false;
    }
  }
  return true;
}

inline void write_file(const QString& path, const QByteArray& bytes) {
  QFile file(path);
  QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
  file.write(bytes);
}

inline QByteArray read_file(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return {};
  return file.readAll();
}

// An area file holding only a name.
inline QByteArray small_area(const QByteArray& name) {
  return "#AREA " + name + "~\n\n#$\n";
}

class WorldFolder {
 public:
  // areas: file name and contents, listed in area.lst in this order.
  explicit WorldFolder(const std::vector<std::pair<QString, QByteArray>>& areas) {
    const QString sample = QStringLiteral(TAVRO_SAMPLE_DIR);
    ok = dir.isValid() &&
         QFile::copy(sample + QStringLiteral("/TavroEd.ini"), path(QStringLiteral("TavroEd.ini")));
    for (const char* tree : {"files", "mud/system", "mud/races", "mud/classes"})
      ok = ok && copy_tree(sample + u'/' + QLatin1String(tree), path(QLatin1String(tree)));
    ok = ok && QDir().mkpath(path(QStringLiteral("mud/area")));
    QByteArray list;
    for (const auto& [name, contents] : areas) {
      write_file(area(name), contents);
      list += name.toUtf8() + '\n';
    }
    write_file(area(QStringLiteral("area.lst")), list + "$\n");
    QFile settings(path(QStringLiteral("TavroEd.ini")));
    ok = ok && settings.open(QIODevice::Append) && settings.write("\r\n[Session]\r\nWindows=0\r\n") > 0;
    settings.close();
    previous_recovery_ = qgetenv("TAVRO_RECOVERY_DIR");
    qputenv("TAVRO_RECOVERY_DIR", QFile::encodeName(recovery()));
    previous_ = QDir::currentPath();
    QDir::setCurrent(dir.path());
  }
  ~WorldFolder() {
    QDir::setCurrent(previous_);
    if (previous_recovery_.isEmpty())
      qunsetenv("TAVRO_RECOVERY_DIR");
    else
      qputenv("TAVRO_RECOVERY_DIR", previous_recovery_);
  }

  QString path(const QString& relative) const { return dir.path() + u'/' + relative; }
  QString mud() const { return path(QStringLiteral("mud")); }
  QString area(const QString& name) const { return path(QStringLiteral("mud/area/") + name); }
  // Where the autosave keeps the recovery folder of each world.
  QString recovery() const { return path(QStringLiteral("recovery")); }

  QTemporaryDir dir;
  bool ok = false;

 private:
  QString previous_;
  QByteArray previous_recovery_;
};

// Records the keys pressed in a widget; the modifier keys themselves, pressed on the way, do not count.
class KeyLog : public QObject {
 public:
  explicit KeyLog(QWidget* widget) : QObject(widget) { widget->installEventFilter(this); }
  std::vector<int> keys;

 protected:
  bool eventFilter(QObject*, QEvent* event) override {
    const int key = event->type() == QEvent::KeyPress ? static_cast<QKeyEvent*>(event)->key() : 0;
    if (key != 0 && key != Qt::Key_Control && key != Qt::Key_Shift) keys.push_back(key);
    return false;
  }
};

using AreaFiles = std::vector<std::pair<QString, QByteArray>>;

// Test classes derive from this beside QObject and call tear_down() in their cleanup().
class MainWindowFixture {
 protected:
  std::unique_ptr<WorldFolder> folder;
  std::unique_ptr<ScriptedDialogService> script;
  std::unique_ptr<DialogServiceGuard> guard;
  std::unique_ptr<TMainForm> form;

  void script_dialogs() {
    script = std::make_unique<ScriptedDialogService>();
    guard = std::make_unique<DialogServiceGuard>(script.get());
  }

  // The world folder and a shown main window over it; start-up or loading is left to the test.
  void show_main_window(const AreaFiles& areas, QSize size = {}) {
    folder = std::make_unique<WorldFolder>(areas);
    QVERIFY(folder->ok);
    if (!script) script_dialogs();
    form = std::make_unique<TMainForm>();
    form->StartUpOnShow = false;
    if (size.isValid()) form->resize(size);
    form->show();
    QVERIFY(QTest::qWaitForWindowExposed(form.get()));
  }

  void load(const AreaFiles& areas, QSize size = {}) {
    show_main_window(areas, size);
    QVERIFY(form->LoadWorld(folder->mud()));
  }

  // Types into a field as the user does, over what it held.
  static void type(QWidget* field, const QString& text) {
    field->setFocus();
    if (auto* line = qobject_cast<QLineEdit*>(field)) line->selectAll();
    if (auto* box = qobject_cast<QPlainTextEdit*>(field)) box->selectAll();
    QTest::keyClicks(field, text);
  }

  // Ends a test whose changes are not to be saved: the windows close without a question and the area
  // windows are made by the default factory again. Gives how many dialogs came without a scripted answer.
  int close_without_questions() {
    if (form)
      for (TArea* area : form->Document().ModifiedAreas())
        form->Document().MarkSaved(area);
    form.reset();
    const int unexpected = script ? script->unexpected : 0;
    tear_down();
    TMainForm::set_area_window_factory(nullptr);
    return unexpected;
  }

  // Saves the area and gives its file's bytes.
  QByteArray saved(TArea* area) {
    [&] { QVERIFY(form->SaveArea(area)); }();
    return read_file(folder->area(QString::fromStdString(area->Header->FileName)));
  }

  // The area saved equals before with only the given runs replaced; read back, it writes the same bytes.
  void expect_saved(TArea* area, const QByteArray& before,
                    const QList<std::pair<QByteArray, QByteArray>>& replaced) {
    QByteArray expected = before;
    for (const auto& [from, to] : replaced) {
      QVERIFY2(expected.contains(from), from.constData());
      expected.replace(from, to);
    }
    const QByteArray after = saved(area);
    QCOMPARE(after, expected);
    TArea reread(world().Areas.get());
    reread.load_area(folder->area(QString::fromStdString(area->Header->FileName)).toStdString());
    TAreaFile f;
    reread.write_area(f);
    QCOMPARE(QByteArray::fromStdString(f.Buffer), after);
  }

  void tear_down() {
    form.reset();
    guard.reset();
    script.reset();
    folder.reset();
  }

  TWorld& world() const { return *form->World(); }
  TArea* area_at(size_t i) const { return world().Areas->Items.at(i).get(); }
  int window_count() const { return int(form->MdiArea->subWindowList().size()); }

  // Kind, caption and text of a dialog shown, counted from the end when negative.
  QStringList dialog(int i) const {
    const auto& all = script->shown;
    if (i < 0) i += int(all.size());
    if (i < 0 || i >= int(all.size())) return {QStringLiteral("no dialog %1").arg(i)};
    const auto& shown = all[size_t(i)];
    return {shown.kind, shown.caption, shown.text};
  }
};

}  // namespace tavro::ui::testing
