#include "AudioExportDialog.h"
#include "frmTTS.h"

void frmTTS::cmdDaoChu_Click()
{
    // A dialog of another file is replaced unless its export still runs.
    if (m_exportDialog && !m_exportDialog->isExporting() && m_exportDialog->novel() != CurrentNovel()) {
        delete m_exportDialog;
        m_exportDialog = nullptr;
    }
    if (!m_exportDialog)
        m_exportDialog = new AudioExportDialog(CurrentNovel(), this);
    m_exportDialog->show();
    m_exportDialog->raise();
    m_exportDialog->activateWindow();
}
