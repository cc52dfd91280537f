#include "AudioExportDialog.h"
#include "ChapterLoader.h"
#include "ExportChoices.h"
#include "ExportParts.h"
#include "ExportProgressText.h"
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
template<typename W>
W *named(W *widget, const char *objectName, const QString &accessibleName)
{
    widget->setObjectName(QLatin1String(objectName));
    widget->setAccessibleName(accessibleName);
    return widget;
}

bool AskToStop(QWidget *parent)
{
    return QMessageBox::question(parent, QStringLiteral("导出音频"), QStringLiteral("停止导出？"),
                                 QMessageBox::Yes | QMessageBox::No, QMessageBox::No)
        == QMessageBox::Yes;
}
}

AudioExportDialog::AudioExportDialog(const Novel &novel, QWidget *parent)
    : QDialog(parent), m_novel(novel), m_loader(new ChapterLoader(this)), m_stopQuestion(AskToStop)
{
    setObjectName(QStringLiteral("frmDaoChu"));
    setWindowTitle(QStringLiteral("导出音频 - %1").arg(QFileInfo(novel.path).fileName()));
    createControls();
    connect(m_loader, &ChapterLoader::Ready, this, &AudioExportDialog::chaptersReady);
    connect(&m_export, &AudioExport::progress, this, &AudioExportDialog::exportProgress);
    connect(&m_export, &AudioExport::fileWritten, this, [this] { ++m_written; });
    connect(&m_export, &AudioExport::finished, this, &AudioExportDialog::exportFinished);
    lblZhuangTai->setText(QStringLiteral("正在查找章节…"));
    cmdDaoChu->setEnabled(false);
    m_loader->Request(novel);
}

void AudioExportDialog::createControls()
{
    lstZhangJie = named(new QListWidget(this), "lstZhangJie", QStringLiteral("章节"));
    lstZhangJie->setSelectionMode(QAbstractItemView::ExtendedSelection);
    chkQuanBu = named(new QCheckBox(QStringLiteral("全部(&A)"), this), "chkQuanBu", QStringLiteral("全部"));
    chkQuanBu->setChecked(true);
    cboGeShi = named(new QComboBox(this), "cboGeShi", QStringLiteral("格式"));
    for (const AudioFormat format : AudioFormats())
        cboGeShi->addItem(AudioFormatCaption(format), int(format));
    // The format and folder of the last export come first.
    const ExportChoices last = LoadExportChoices();
    cboGeShi->setCurrentIndex(std::max(cboGeShi->findData(int(last.format)), 0));
    txtMuLu = named(new QLineEdit(ExportFolderOffered(last, m_novel.path), this), "txtMuLu",
                    QStringLiteral("保存到"));
    cmdLiuLan = named(new QPushButton(QStringLiteral("浏览(&B)…"), this), "cmdLiuLan", QStringLiteral("浏览"));
    prgJinDu = named(new QProgressBar(this), "prgJinDu", QStringLiteral("导出进度"));
    prgJinDu->setRange(0, 100);
    prgJinDu->setValue(0);
    lblZhuangTai = named(new QLabel(this), "lblZhuangTai", QStringLiteral("导出状态"));
    lblZhuangTai->setWordWrap(true);
    lblZhuangTai->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    cmdDaoChu = named(new QPushButton(QStringLiteral("导出(&E)"), this), "cmdDaoChu", QStringLiteral("导出"));
    cmdDaoChu->setDefault(true);
    cmdGuanBi = named(new QPushButton(QStringLiteral("关闭"), this), "cmdGuanBi", QStringLiteral("关闭"));

    auto *chapterLabel = new QLabel(QStringLiteral("章节(&C)："), this);
    chapterLabel->setBuddy(lstZhangJie);
    auto *folderRow = new QHBoxLayout;
    folderRow->addWidget(txtMuLu, 1);
    folderRow->addWidget(cmdLiuLan);
    auto *form = new QFormLayout;
    auto *formatLabel = new QLabel(QStringLiteral("格式(&F)："), this);
    formatLabel->setBuddy(cboGeShi);
    auto *folderLabel = new QLabel(QStringLiteral("保存到(&S)："), this);
    folderLabel->setBuddy(txtMuLu);
    form->addRow(formatLabel, cboGeShi);
    form->addRow(folderLabel, folderRow);
    auto *buttons = new QDialogButtonBox(this);
    buttons->addButton(cmdDaoChu, QDialogButtonBox::ActionRole);
    buttons->addButton(cmdGuanBi, QDialogButtonBox::RejectRole);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(chapterLabel);
    layout->addWidget(lstZhangJie, 1);
    layout->addWidget(chkQuanBu);
    layout->addLayout(form);
    layout->addWidget(prgJinDu);
    layout->addWidget(lblZhuangTai);
    layout->addWidget(buttons);
    resize(480, 520);

    connect(chkQuanBu, &QCheckBox::toggled, this, &AudioExportDialog::chkQuanBu_Toggled);
    connect(lstZhangJie, &QListWidget::itemSelectionChanged, this,
            &AudioExportDialog::lstZhangJie_SelectionChanged);
    connect(cmdLiuLan, &QPushButton::clicked, this, &AudioExportDialog::cmdLiuLan_Click);
    connect(cmdDaoChu, &QPushButton::clicked, this, &AudioExportDialog::cmdDaoChu_Click);
    connect(cmdGuanBi, &QPushButton::clicked, this, &AudioExportDialog::cmdGuanBi_Click);
}

void AudioExportDialog::chaptersReady()
{
    const ChapterList &chapters = m_loader->Chapters();
    lstZhangJie->clear();
    for (int i = 0; i < chapters.size(); ++i)
        lstZhangJie->addItem(QStringLiteral("%1  %2").arg(i + 1).arg(chapters.at(i).title));
    if (chapters.isEmpty()) {
        lblZhuangTai->setText(QStringLiteral("这个文件没有可以导出的文字"));
        return;
    }
    lblZhuangTai->setText(chapters.headingsFound()
                              ? QStringLiteral("共 %1 章").arg(chapters.size())
                              : QStringLiteral("没有找到章节，全书分为 %1 段").arg(chapters.size()));
    chkQuanBu_Toggled(chkQuanBu->isChecked());
    cmdDaoChu->setEnabled(true);
}

void AudioExportDialog::chkQuanBu_Toggled(bool checked)
{
    if (checked)
        lstZhangJie->selectAll();
    else if (lstZhangJie->selectedItems().size() == lstZhangJie->count())
        lstZhangJie->clearSelection();
}

void AudioExportDialog::lstZhangJie_SelectionChanged()
{
    const bool all = lstZhangJie->count() > 0 && lstZhangJie->selectedItems().size() == lstZhangJie->count();
    const QSignalBlocker blocker(chkQuanBu);
    chkQuanBu->setChecked(all);
    cmdDaoChu->setEnabled(!isExporting() && !lstZhangJie->selectedItems().isEmpty());
}

void AudioExportDialog::cmdLiuLan_Click()
{
    const QString folder = QFileDialog::getExistingDirectory(this, QStringLiteral("保存到"), txtMuLu->text());
    if (!folder.isEmpty())
        txtMuLu->setText(folder);
}

void AudioExportDialog::cmdDaoChu_Click()
{
    QList<int> numbers;
    for (int row = 0; row < lstZhangJie->count(); ++row) {
        if (lstZhangJie->item(row)->isSelected())
            numbers.append(row + 1);
    }
    const ChapterList &chapters = m_loader->Chapters();
    if (numbers.isEmpty() || txtMuLu->text().trimmed().isEmpty())
        return;
    ExportJob job;
    job.textPath = m_novel.path;
    job.encoding = m_novel.encoding;
    job.album = ExportNovelName(m_novel.path);
    job.parts = ExportPartsOf(chapters, QFileInfo(m_novel.path).size(), numbers);
    job.chapterCount = chapters.size();
    job.folder = QDir::cleanPath(txtMuLu->text().trimmed());
    job.format = AudioFormat(cboGeShi->currentData().toInt());
    job.settings = LoadSpeechSettings();
    m_written = 0;
    if (!m_export.start(job))
        return;
    SaveExportChoices({job.format, job.folder, job.album});
    prgJinDu->setValue(0);
    lblZhuangTai->setText(QStringLiteral("开始导出…"));
    setExporting(true);
    emit exportStatus(QStringLiteral("导出音频：开始导出…"));
}

void AudioExportDialog::cmdGuanBi_Click()
{
    if (isExporting())
        m_export.cancel();
    else
        close();
}

// A dialog put away while its files are written would leave them being written out of sight, so
// the listener says first whether the export stops with it.
void AudioExportDialog::reject()
{
    if (stopExporting())
        QDialog::reject();
}

bool AudioExportDialog::stopExporting()
{
    if (!isExporting())
        return true;
    if (!m_stopQuestion(this))
        return false;
    // The export may have ended while the question waited.
    if (isExporting())
        m_export.cancel();
    return true;
}

void AudioExportDialog::exportProgress(const ExportProgress &progress)
{
    prgJinDu->setValue(ExportPercent(progress));
    lblZhuangTai->setText(ExportStatusText(progress));
    emit exportStatus(ExportStatusLine(progress));
}

void AudioExportDialog::exportFinished(ExportOutcome outcome, const QString &message)
{
    setExporting(false);
    switch (outcome) {
    case ExportOutcome::Written:
        prgJinDu->setValue(100);
        lblZhuangTai->setText(QStringLiteral("已导出 %1 个文件到 %2").arg(m_written).arg(txtMuLu->text()));
        break;
    case ExportOutcome::Cancelled:
        lblZhuangTai->setText(QStringLiteral("已取消，之前写完的 %1 个文件保留").arg(m_written));
        break;
    case ExportOutcome::Failed:
        lblZhuangTai->setText(message);
        break;
    }
    emit exportStatus(QStringLiteral("导出音频：") + lblZhuangTai->text());
}

void AudioExportDialog::setExporting(bool exporting)
{
    for (QWidget *input : {static_cast<QWidget *>(lstZhangJie), static_cast<QWidget *>(chkQuanBu),
                           static_cast<QWidget *>(cboGeShi), static_cast<QWidget *>(txtMuLu),
                           static_cast<QWidget *>(cmdLiuLan), static_cast<QWidget *>(cmdDaoChu)})
        input->setEnabled(!exporting);
    cmdGuanBi->setText(exporting ? QStringLiteral("取消") : QStringLiteral("关闭"));
    cmdGuanBi->setAccessibleName(cmdGuanBi->text());
}
