// Fixed-size labels holding long texts: a smaller font rather than lost
// words when the text needs more room than the label has.
#pragma once

class QLabel;
class QString;

// Sets the text with the largest point size from `largest` down to
// `smallest` at which the wrapped text fits the label.
void SetFittingText(QLabel* label, const QString& text, int largest, int smallest);

// One line, not wrapped: the largest size from `largest` down to `smallest`
// points, in half points, at which the whole text fits the label's width.
void SetFittingLine(QLabel* label, const QString& text, qreal largest, qreal smallest);
