#pragma once

#include <QString>
#include <QWidget>

// The evaluation bar beside the 3D view: White's share from the bottom, Black's above it, and
// the evaluation's text at the end of the side ahead.
class CQtEvalBar final : public QWidget {
public:
    explicit CQtEvalBar(QWidget* parent);

    // `whiteShare` from 0 to 1; an empty text shows an even bar without a number.
    void Set(double whiteShare, const QString& text);
    const QString& Text() const { return text; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    double share = 0.5;
    QString text;
};
