// Fixed-size labels holding long wrapped texts: a smaller font rather than
// lost words when the text needs more lines than the label holds.
#pragma once

class QLabel;
class QString;

// Sets the text with the largest point size from `largest` down to
// `smallest` at which the wrapped text fits the label.
void SetFittingText(QLabel* label, const QString& text, int largest, int smallest);
