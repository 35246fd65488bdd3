#pragma once

#include "registration_file.h"

#include <QByteArray>
#include <QDialog>

class QComboBox;
class QLabel;
class QListWidget;
class QPushButton;
class QTableWidget;

namespace orlo {

// What "Import CSV…" shows before anything is added: the first entries as
// they will be imported, the columns they are read from (the director may
// choose others), what is left out, and the problems line by line. Import
// is offered only for a file without problems: the list takes all of it or
// nothing.
class ImportPreview final : public QDialog {
    Q_OBJECT
public:
    ImportPreview(const QString &fileName, QByteArray file, QWidget *parent);

    // The file as read with the columns chosen now.
    const Registration &registration() const { return m_read; }

    // How many entries the preview shows, the rest counted.
    static constexpr int shownRows = 20;

private:
    void read();
    void fillChoices();

    QByteArray m_file;
    Registration m_read;
    QComboBox *m_name = nullptr;
    QComboBox *m_number = nullptr;
    QComboBox *m_classes = nullptr;
    QTableWidget *m_rows = nullptr;
    QLabel *m_columns = nullptr;
    QListWidget *m_problems = nullptr;
    QPushButton *m_import = nullptr;
};

} // namespace orlo
