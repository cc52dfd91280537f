#pragma once
#include "RuleBook.h"
#include <QDialog>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;

// "净化规则": the listener's text rules for every novel and for the open one. The list shows
// each rule with its on/off box, in the order they run; the fields edit the rule chosen; below,
// the piece being read before and after the rules, side by side, changed as the rules are. The
// ready-made rules, rule files shared by others (imported) and the list as a file (exported)
// are a button away. "确定" writes the rules; what cannot be written is said and the dialog
// stays open.
class RulesDialog : public QDialog
{
    Q_OBJECT
public:
    RulesDialog(const RuleBookFiles &files, const QString &piece, QWidget *parent = nullptr);

    void accept() override;

private:
    QWidget *createList();
    QWidget *createFields();
    QWidget *createButtons();
    void showList(int current);
    void showRule();
    void takeFields();
    void showTest();
    void importFile();
    void exportFile();
    int current() const;

    RuleBook m_book;
    bool m_hasNovel;
    QString m_piece;
    bool m_showing = false;
    QListWidget *m_list;
    QLineEdit *m_name;
    QLineEdit *m_pattern;
    QLineEdit *m_replacement;
    QCheckBox *m_regex;
    QComboBox *m_scope;
    QComboBox *m_where;
    QLabel *m_fault;
    QPlainTextEdit *m_before;
    QPlainTextEdit *m_after;
    QLabel *m_status;
};
