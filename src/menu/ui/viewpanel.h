#pragma once

#include <QFrame>

#include <vector>

#include "menu/resultviews.h"

class QComboBox;
class QLabel;
class QPushButton;
class QRadioButton;

// The panel above the columns that chooses what the result lists show: the
// view (time, points, own history), the list within it, the grade filter
// and, for the period log, the period.
class ViewPanel final : public QFrame
{
    Q_OBJECT

public:
    explicit ViewPanel(QWidget *parent);

    void setGradeChoices(const QStringList &texts, const QString &chosen);
    void setPeriodChoices(const QStringList &texts, int period);
    QString gradeFilter() const;
    QString periodText() const;

    // The third button keeps its caption when the captions have none for it.
    void setListCaptions(const ResultLists::KindCaptions &captions);
    void setThirdListEnabled(bool enabled);
    void checkView(int index);
    void checkList(int index);
    bool isViewChecked(int index) const;
    bool isListChecked(int index) const;

    QString title() const;
    void setTitle(const QString &title);
    void setPeriodShown(bool shown);
    // The graph button belongs to the own-history view.
    void setGraphShown(bool shown);

signals:
    // View button 0..2 and list button 1..3 as they become checked.
    void viewChosen(int index);
    void listChosen(int index);
    void gradeChosen();
    // Period 1..5 as chosen in the period box.
    void periodChosen(int period);
    void graphRequested();

private:
    void buildControls();
    void connectControls();

    // Index 0 of the list buttons stays empty: they count from 1.
    std::vector<QRadioButton *> m_viewButtons;
    std::vector<QRadioButton *> m_listButtons;
    QLabel *m_gradeCaption = nullptr;
    QComboBox *m_gradeFilter = nullptr;
    QComboBox *m_periodChoice = nullptr;
    QLabel *m_title = nullptr;
    QPushButton *m_graphButton = nullptr;
};
