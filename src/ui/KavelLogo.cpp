#include "KavelLogo.h"

#include <QEvent>
#include <QPainter>

namespace {

const QColor kLogoBlue(0, 64, 160);
const QString kMakerName = QStringLiteral("KAVEL");

}  // namespace

KavelLogo::KavelLogo(QWidget* parent) : QWidget(parent) {
  setAttribute(Qt::WA_TranslucentBackground);
  // A screen reader cannot read a drawing: it says the name the logo shows.
  setAccessibleName(kMakerName);
  setAccessibleDescription(tr("The maker's logo"));
}

void KavelLogo::changeEvent(QEvent* event) {
  if (event->type() == QEvent::LanguageChange) setAccessibleDescription(tr("The maker's logo"));
  QWidget::changeEvent(event);
}

void KavelLogo::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setRenderHint(QPainter::TextAntialiasing);
  // The name in heavy capitals over a rule that runs the logo's width.
  QFont font(QStringLiteral("Arial"));
  font.setPixelSize(height() - 11);
  font.setWeight(QFont::Black);
  font.setLetterSpacing(QFont::AbsoluteSpacing, 1);
  painter.setFont(font);
  painter.setPen(kLogoBlue);
  const QRectF name(0, 1, width(), height() - 9);
  painter.drawText(name, Qt::AlignCenter, kMakerName);
  painter.fillRect(QRectF(4, height() - 6, width() - 8, 3), kLogoBlue);
}
