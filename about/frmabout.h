#pragma once

// The About dialog: the title, what Tuvo does, the rules of Roman numeration,
// the limit of 3999 and the author line, on dark grey with the temple picture
// in the corner. It has no owner, so it outlives a closed main window, and it
// is destroyed when it closes (OK, Enter, Escape or the close button).

#include <QDialog>

namespace tuvo {

class frmAbout : public QDialog
{
    Q_OBJECT

public:
    frmAbout();

    // Escape and the close button, which OK answers as the cancel button.
    void reject() override;

protected:
    void paintEvent(QPaintEvent *event) override;

private slots:
    void cmdOK_Click();

private:
    void Form_Load();
};

} // namespace tuvo
