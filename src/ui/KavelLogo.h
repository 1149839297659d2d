#pragma once

#include <QWidget>

// The maker's word mark, "KAVEL" in blue on a transparent ground. Drawn as
// text and lines, so it stays sharp at any device pixel ratio.
class KavelLogo : public QWidget {
  Q_OBJECT

 public:
  explicit KavelLogo(QWidget* parent = nullptr);

 protected:
  void paintEvent(QPaintEvent* event) override;
  // Says its description again in a language just chosen.
  void changeEvent(QEvent* event) override;
};
