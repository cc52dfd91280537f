#include "AudioExportDialog.h"
#include "StatusLine.h"
#include "frmTTS.h"

void frmTTS::cmdDaoChu_Click()
{
    // A dialog of another file is replaced unless its export still runs.
    if (m_exportDialog && !m_exportDialog->isExporting() && m_exportDialog->novel() != CurrentNovel()) {
        delete m_exportDialog;
        m_exportDialog = nullptr;
    }
    if (!m_exportDialog) {
        m_exportDialog = new AudioExportDialog(CurrentNovel(), this);
        // The export goes on with the dialog put away: the status line follows it to its end.
        connect(m_exportDialog, &AudioExportDialog::exportStatus, lblZhuangTai, [this](const QString &line) {
            if (lblZhuangTai->message() != line)
                lblZhuangTai->say(line);
        });
    }
    m_exportDialog->show();
    m_exportDialog->raise();
    m_exportDialog->activateWindow();
}
