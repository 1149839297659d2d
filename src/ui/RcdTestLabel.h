#pragma once

#include <QColor>
#include <QString>
#include <QWidget>

// The picture that labels one AUTO-mode check box: the test current as a
// multiple of the rated residual current ("0,5×IΔn"), then the three
// waveform signs of the polarity tested (sine, half-wave pulses, direct
// current). Drawn as vectors, so it stays sharp at any device pixel ratio.
class RcdTestLabel : public QWidget {
  Q_OBJECT

 public:
  enum class Polarity { Positive, Negative };

  explicit RcdTestLabel(QWidget* parent = nullptr);

  // multiple: "0,5", "1" or "5" for a trip-time test; empty for the
  // trip-current test, the waveform signs alone. Also names the picture in
  // words for a screen reader, and so the box beside it.
  void Configure(const QString& multiple, Polarity polarity, const QColor& colour);

  // The picture in words, in the language in use.
  QString SpokenName() const;

  const QString& Multiple() const { return multiple_; }
  Polarity TestPolarity() const { return polarity_; }
  const QColor& Colour() const { return colour_; }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  QString multiple_;
  Polarity polarity_ = Polarity::Positive;
  QColor colour_ = Qt::black;
};
