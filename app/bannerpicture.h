#pragma once

#include <QLabel>

namespace quizmark {

// The banner picture of a screen: shows the program's banner and reports a click on it.
class BannerPicture : public QLabel {
    Q_OBJECT

public:
    explicit BannerPicture(QWidget* parent = nullptr);

signals:
    void clicked();

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
};

}
