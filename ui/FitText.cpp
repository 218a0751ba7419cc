#include "ui/FitText.h"

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
