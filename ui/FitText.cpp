#include "ui/FitText.h"

#include <cmath>

#include <QFontMetrics>
#include <QLabel>

void SetFittingText(QLabel* label, const QString& text, int largest, int smallest)
{
    QFont f = label->font();
    for (int size = largest; size >= smallest; --size) {
        f.setPointSize(size);
        const QRect needed = QFontMetrics(f).boundingRect(QRect(0, 0, label->width(), 100000),
                                                          Qt::TextWordWrap, text);
        if (needed.height() <= label->height() && needed.width() <= label->width())
            break;
    }
    label->setFont(f);
    label->setText(text);
}

void SetFittingLine(QLabel* label, const QString& text, qreal largest, qreal smallest)
{
    QFont f = label->font();
    const qreal room = label->contentsRect().width();
    // Half points: a whole point smaller is often more than the text needs.
    for (qreal size = largest; size >= smallest; size -= 0.5) {
        f.setPointSizeF(size);
        // Unrounded advances, as at a fractional scale the text is laid out
        // without hinting.
        if (std::ceil(QFontMetricsF(f).horizontalAdvance(text)) <= room)
            break;
    }
    label->setFont(f);
    label->setText(text);
}
