#pragma once
#include <QWidget>

class QLabel;

// The paint window, laid out at its designed size over the configured background.
class frm_Paint : public QWidget {
    Q_OBJECT
public:
    explicit frm_Paint(QWidget* parent = nullptr);
    QWidget* pic_Background = nullptr;
    QLabel* img_Background = nullptr;

protected:
    void keyPressEvent(QKeyEvent* event) override;
};
