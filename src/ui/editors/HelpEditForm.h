#pragma once
// The help editor of the Helps page: the area's help entries, each a minimum level, a keyword line and a
// text, listed by their keyword lines.
#include "area/Helps.h"
#include "ui/editors/RecordEditor.h"

class QLineEdit;
class QPlainTextEdit;

namespace tavro::ui {

class TTextField;

class THelpEditForm : public TRecordEditor<TAreaHelpItem> {
  Q_OBJECT

 public:
  static constexpr int kMinLevel = -1;
  static constexpr int kMaxLevel = 65;

  explicit THelpEditForm(QWidget* parent = nullptr);

  void ViewItem() override;

  QPlainTextEdit* NameEdit = nullptr;
  QLineEdit* LevelEdit = nullptr;
  TTextField* TextEdit = nullptr;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

  List& Records(TArea& area) const override;
  uint32_t Scope() const override;
  QString EntryText(const TAreaHelpItem& help) const override;
  QString RecordLabel(const TAreaHelpItem& help) const override;
  QString ErrorPrefix() const override;
  void ShowRecord(const TAreaHelpItem& help) override;
  void ClearFields() override;
  void ReadFields(TAreaHelpItem& help) override;
  std::unique_ptr<TAreaHelpItem> NewRecord(TArea& area) const override;
  std::unique_ptr<TAreaHelpItem> CopyOf(const TAreaHelpItem& help) const override;

 private:
  void FormCreate();
  void StepLevel(int delta);
  int32_t ReadLevel(int32_t stored) const;

  // A level read from the file may lie outside the range the field takes; it is kept unless the builder
  // changes the field.
  bool level_edited_ = false;
};

}  // namespace tavro::ui
