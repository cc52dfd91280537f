#include "AudioExportDialog.h"
#include "frmTTS.h"

void frmTTS::cmdDaoChu_Click()
{
    // A dialog of another file is replaced unless its export still runs.
    if (m_exportDialog && !m_exportDialog->isExporting() && m_exportDialog->novelPath() != TextFilePath()) {
        delete m_exportDialog;
        m_exportDialog = nullptr;
    }
    if (!m_exportDialog)
        m_exportDialog = new AudioExportDialog(TextFilePath(), this);
    m_exportDialog->show();
    m_exportDialog->raise();
    m_exportDialog->activateWindow();
}
