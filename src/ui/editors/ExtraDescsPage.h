#pragma once
// The "Extra Descs" page of an editor: the keywords and descriptions a record shows to players who look
// closer, edited in the editor's working copy. Every edit goes straight into the working copy; the
// editor stores the copy on its OK.
#include <QWidget>

#include "area/Objects.h"

class QComboBox;
class QLineEdit;
class QPushButton;

namespace tavro::ui {

class TTextField;

class TExtraDescsPage : public QWidget {
  Q_OBJECT

 public:
  explicit TExtraDescsPage(QWidget* parent = nullptr);

  // Shows the working copy's list with entry keep selected (entry 0 when there is no such entry).
  void SetDescs(TAreaExtraDescs* descs, int keep = 0);
  int current() const;
  // The page is being left: an entry with a description but no keyword is named "(unidentified)", an
  // entry with neither is dropped.
  void LeavePage();
  // Throws TFieldError for a text the area file cannot hold.
  void CheckTexts() const;

  QComboBox* EDCBList = nullptr;
  QLineEdit* EDKeywordEdit = nullptr;
  TTextField* EDDescription = nullptr;
  QPushButton* EDAddButton = nullptr;
  QPushButton* EDRemoveButton = nullptr;
  QPushButton* EDViewButton = nullptr;

 signals:
  // The builder changed the list (not the page showing it).
  void edited();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void FormCreate();
  TAreaExtraDesc* Selected() const;
  void ShowExtraDesc(int index);
  void EnableFields(bool on);
  void KeywordEdited(const QString& text);
  void DescriptionEdited();
  void AddDesc();
  void RemoveDesc();
  void NameUnidentified(bool drop_empty);
  void ViewDesc();

  TAreaExtraDescs* descs_ = nullptr;
  bool filling_ = false;
};

}  // namespace tavro::ui
