#pragma once

#include "data/cataloguerecord.h"

#include <QWidget>

#include <cstdint>
#include <memory>

namespace Ui {
class examselect;
}

namespace platform {
class RuntimeError;
}

namespace quizmark {

class ScreenHost;

// The exam selection screen: lists the catalogue, shows the chosen exam's description and hands
// over to the set-up screen.
class examselect : public QWidget {
    Q_OBJECT

public:
    explicit examselect(ScreenHost& host, QWidget* parent = nullptr);
    ~examselect() override;

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool openCatalogue();
    void reportUnreadableCatalogue(const platform::RuntimeError& error);
    void fillList();
    void closeCatalogue();
    void List1_Click();
    void Command1_Click();

    std::unique_ptr<Ui::examselect> m_ui;
    ScreenHost& m_host;
    CatalogueRecord ExamRecord;
    std::int16_t ExamCount = 0;
    bool m_catalogueOpen = false;
};

}
