#pragma once

#include <QDate>
#include <QStringView>
#include <QTime>

// One table written cell by cell, left to right and row by row, each cell
// in the kind a spreadsheet keeps: the CSV writer turns every kind into text,
// the workbook keeps numbers, dates and times as such.
class TableSink
{
public:
    virtual ~TableSink() = default;

    // Always a string, whatever it begins with.
    virtual void text(QStringView text) = 0;
    virtual void number(qint64 number) = 0;
    // `decimals` digits after the point; negative: as many as the value has.
    virtual void decimal(double value, int decimals) = 0;
    virtual void date(QDate date) = 0;
    virtual void timeOfDay(QTime time) = 0;
    virtual void empty() = 0;
    virtual void endRow() = 0;
};
