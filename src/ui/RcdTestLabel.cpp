#include "RcdTestLabel.h"

#include <QEvent>
#include <QPainter>
#include <QPainterPath>
#include <cmath>

namespace {

// In the label's own 75 × 15 pixels.
constexpr qreal kMiddle = 7.5;   // the waveforms' zero line
constexpr qreal kSignWidth = 9;  // each waveform sign
constexpr qreal kSignGap = 3;
constexpr qreal kSignsWidth = 3 * kSignWidth + 2 * kSignGap;
constexpr qreal kAmplitude = 4;  // of the sine
constexpr qreal kPulseHeight = 6;
constexpr qreal kTextBaseline = 11;
constexpr qreal kSubscriptBaseline = 14;
constexpr int kTextPixels = 10;
constexpr int kSubscriptPixels = 7;
constexpr double kPi = 3.14159265358979323846;

// sign: +1 draws the positive form (up first), -1 the mirrored one.
QPainterPath Sine(qreal left, int sign) {
  QPainterPath path({left, kMiddle});
  for (int step = 1; step <= 18; ++step) {
    const qreal t = step / 18.0;
    path.lineTo(left + t * kSignWidth, kMiddle - sign * kAmplitude * std::sin(2 * kPi * t));
  }
  return path;
}

// Two half-wave pulses standing on a base line below (or, mirrored, hanging
// from one above) the zero line.
QPainterPath Pulses(qreal left, int sign) {
  const qreal base = kMiddle + sign * kPulseHeight / 2;
  QPainterPath path({left, base});
  for (int step = 1; step <= 24; ++step) {
    const qreal t = step / 24.0;
    const qreal wave = std::sin(4 * kPi * t);
    path.lineTo(left + t * kSignWidth, base - sign * kPulseHeight * std::max<qreal>(wave, 0));
  }
  return path;
}

// The direct-current sign: a solid bar over a dashed one, or mirrored.
void DirectCurrent(QPainter& painter, qreal left, int sign) {
  const qreal solid = kMiddle - sign * 2;
  const qreal dashed = kMiddle + sign * 2;
  painter.drawLine(QPointF(left, solid), QPointF(left + kSignWidth, solid));
  for (qreal x = left; x < left + kSignWidth; x += 3.5)
    painter.drawLine(QPointF(x, dashed), QPointF(std::min(x + 2, left + kSignWidth), dashed));
}

}  // namespace

RcdTestLabel::RcdTestLabel(QWidget* parent) : QWidget(parent) {
  setAttribute(Qt::WA_TranslucentBackground);
}

void RcdTestLabel::Configure(const QString& multiple, Polarity polarity, const QColor& colour) {
  multiple_ = multiple;
  polarity_ = polarity;
  colour_ = colour;
  setAccessibleName(SpokenName());
  update();
}

QString RcdTestLabel::SpokenName() const {
  // A technician starts an RCD test on the positive or the negative half-wave.
  const QString halfWave =
      polarity_ == Polarity::Positive ? tr("positive half-wave") : tr("negative half-wave");
  return multiple_.isEmpty() ? tr("Trip current, %1").arg(halfWave)
                             : tr("Trip time at %1×IΔn, %2").arg(multiple_, halfWave);
}

void RcdTestLabel::changeEvent(QEvent* event) {
  if (event->type() == QEvent::LanguageChange) setAccessibleName(SpokenName());
  QWidget::changeEvent(event);
}

void RcdTestLabel::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(QPen(colour_, 1));

  qreal signsLeft = (width() - kSignsWidth) / 2;
  if (!multiple_.isEmpty()) {
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(kTextPixels);
    painter.setFont(font);
    const QString text = multiple_ + QStringLiteral("×I");
    painter.drawText(QPointF(0, kTextBaseline), text);
    const qreal subscriptLeft = QFontMetricsF(font).horizontalAdvance(text);
    font.setPixelSize(kSubscriptPixels);
    painter.setFont(font);
    painter.drawText(QPointF(subscriptLeft, kSubscriptBaseline), QStringLiteral("Δn"));
    signsLeft = width() - kSignsWidth - 1;
  }

  const int sign = polarity_ == Polarity::Positive ? 1 : -1;
  painter.drawPath(Sine(signsLeft, sign));
  painter.drawPath(Pulses(signsLeft + kSignWidth + kSignGap, sign));
  DirectCurrent(painter, signsLeft + 2 * (kSignWidth + kSignGap), sign);
}
