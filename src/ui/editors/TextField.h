#pragma once
// The multi-line field for descriptions and other long texts: plain text in a fixed-pitch font with a
// guide at column 80, the width a player's terminal shows. It takes and gives the model's text
// (Windows-1251, CR LF line breaks). Tab moves the focus on, so the form works from the keyboard.
#include <QPlainTextEdit>
#include <string>
#include <string_view>

namespace tavro::ui {

class TTextField : public QPlainTextEdit {
  Q_OBJECT

 public:
  static constexpr int kGuideColumn = 80;

  explicit TTextField(QWidget* parent = nullptr);

  void setText(std::string_view text);
  std::string text() const;

  // Where the guide is drawn, in viewport coordinates.
  int guideX() const;

 protected:
  void paintEvent(QPaintEvent* event) override;
};

}  // namespace tavro::ui
