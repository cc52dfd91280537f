#pragma once
#include "AudioExport.h"
#include "Novel.h"
#include <QDialog>
#include <functional>

class ChapterLoader;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QProgressBar;
class QPushButton;

// "导出音频": writes chosen chapters of the novel as audio files in the background, with a
// progress bar, the file being written, the time left and a cancel. Escape or closing the dialog
// while files are written asks "停止导出？": yes stops the export, no keeps the dialog. Reading
// aloud goes on meanwhile.
class AudioExportDialog : public QDialog
{
    Q_OBJECT
public:
    AudioExportDialog(const Novel &novel, QWidget *parent = nullptr);

    // Asks whether a running export is to stop (a message box unless a host says otherwise).
    using StopQuestion = std::function<bool(QWidget *parent)>;
    void setStopQuestion(StopQuestion question) { m_stopQuestion = std::move(question); }

    const Novel &novel() const { return m_novel; }
    bool isExporting() const { return m_export.isRunning(); }

    QListWidget *lstZhangJie;   // the chapters of the table of contents
    QCheckBox *chkQuanBu;       // "全部"
    QComboBox *cboGeShi;        // the format
    QLineEdit *txtMuLu;         // the output folder
    QPushButton *cmdLiuLan;     // "浏览…"
    QProgressBar *prgJinDu;
    QLabel *lblZhuangTai;
    QPushButton *cmdDaoChu;     // "导出"
    QPushButton *cmdGuanBi;     // "取消" while exporting, "关闭" otherwise

    void cmdDaoChu_Click();
    void cmdGuanBi_Click();

    // Escape and the window's close: asked first while files are written.
    void reject() override;
    // Asks whether a running export is to stop, and stops it; false when the listener keeps it
    // (the program is not to end then). True at once when none runs.
    bool stopExporting();

signals:
    // A line on the export for the window that opened the dialog: its progress while it runs,
    // then how it ended.
    void exportStatus(const QString &line);

private:
    void createControls();
    void chaptersReady();
    void chkQuanBu_Toggled(bool checked);
    void lstZhangJie_SelectionChanged();
    void cmdLiuLan_Click();
    void exportProgress(const ExportProgress &progress);
    void exportFinished(ExportOutcome outcome, const QString &message);
    void setExporting(bool exporting);

    Novel m_novel;
    ChapterLoader *m_loader;
    AudioExport m_export;
    int m_written = 0;
    StopQuestion m_stopQuestion;
};
