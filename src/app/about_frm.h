#pragma once

#include "core/ProgramForm.h"

class QGroupBox;
class QLabel;
class QPlainTextEdit;

// The About box of the organiser: its name, version and terms of use.
class about_frm : public ProgramForm {
    Q_OBJECT
public:
    explicit about_frm(Program& program);

    void Form_Load() override;

    QLabel* Background;
    QLabel* Label1;
    QLabel* Picture1;
    // In the design this frame bears the window's own name.
    QGroupBox* about_frame;
    QPlainTextEdit* about_txt;

    static QString termsText();
};
