#pragma once

#include <QCheckBox>

namespace quizmark {

// A check box whose caption is an answer option from a question bank: shown as plain text,
// wrapped over as many lines as it needs, and never read as a keyboard mnemonic.
class OptionCheckBox : public QCheckBox {
    Q_OBJECT

public:
    explicit OptionCheckBox(QWidget* parent = nullptr);

    void setCaption(const QString& caption);
    QString caption() const { return m_caption; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;
    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    bool hitButton(const QPoint& position) const override;

private:
    QRect indicatorRect() const;
    int textLeft() const;
    QRect textRect(int width) const;

    QString m_caption;
};

}
