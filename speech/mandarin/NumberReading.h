#pragma once
#include <QString>
#include <QStringView>

// The Chinese a number written in digits is read as: "105" 一百零五, "3.5" 三点五, "50%" 百分之五十,
// "2026" before 年 二零二六, a number starting with 0 or longer than twelve digits digit by digit,
// 两 for a lone 2 (or a leading 2 of thousands and more) before a measure word. Full-width digits
// are read as ASCII ones. `before` and `after` are the characters around the number (or null).
QString NumberAsChinese(QStringView number, QChar before, QChar after);
