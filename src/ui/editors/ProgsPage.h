#pragma once
// The "Progs" page of an editor: the mud programs of a record (trigger type, arguments, body), edited in
// the editor's working copy. Every edit goes straight into the working copy; the editor stores the copy
// on its OK. A program always stays selected while there is one, so that what the fields show is what
// an edit changes.
#include <QStringList>
#include <QWidget>

#include "area/Programs.h"

class QComboBox;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace tavro::ui {

class TTextField;

class TProgsPage : public QWidget {
  Q_OBJECT

 public:
  explicit TProgsPage(QWidget* parent = nullptr);

  // The trigger types offered (the world's program-type list, Windows-1251).
  void SetProgTypes(const std::vector<std::string>& types);
  // Shows the working copy's programs with program keep selected (0 when there is no such program).
  void SetProgs(TWorldProgs* progs, int keep = 0);
  int current() const;
  // Throws TFieldError for a text the area file cannot hold.
  void CheckTexts() const;

  QListWidget* LBProgs = nullptr;
  QComboBox* CBProgTypes = nullptr;
  QLineEdit* ProgArgumentsEdit = nullptr;
  TTextField* ProgBodyEdit = nullptr;
  QPushButton* MPAddButton = nullptr;
  QPushButton* MPRemoveButton = nullptr;

 signals:
  void edited();

 private:
  void FormCreate();
  TWorldProg* Selected() const;
  void ShowProg(int index);
  void ShowType(const std::string& type);
  void EnableFields(bool on);
  void TypeChosen(int index);
  void ArgumentsEdited(const QString& text);
  void BodyEdited();
  void AddProg();
  void RemoveProg();

  TWorldProgs* progs_ = nullptr;
  QStringList types_;
  bool filling_ = false;
};

}  // namespace tavro::ui
