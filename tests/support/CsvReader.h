// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QJsonArray>
#include <QJsonDocument>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QVector>

// A CSV file as a spreadsheet's reader takes it: Python's csv module in the semicolon dialect,
// the byte-order mark dropped; each row its fields.
inline QVector<QStringList> readCsv(const QString& path) {
    QProcess python;
    python.start("python3", {"-c",
                             "import csv, json, sys\n"
                             "with open(sys.argv[1], encoding='utf-8-sig', newline='') as f:\n"
                             "    print(json.dumps(list(csv.reader(f, delimiter=';'))))\n",
                             path});
    python.waitForFinished(30000);
    QVector<QStringList> rows;
    for (const QJsonValue& row : QJsonDocument::fromJson(python.readAllStandardOutput()).array()) {
        rows << row.toVariant().toStringList();
    }
    return rows;
}
