#pragma once

// A small catalogue file for the data-aware widgets' tests.
#include "common/data/connection.h"
#include "common/data/querydataset.h"
#include "common/data/tabledataset.h"
#include "support/dbfixture.h"
#include "tools/schema.h"

#include <QTemporaryDir>

#include <memory>

struct Catalogue
{
    explicit Catalogue(const QString& rows)
    {
        path = dir.filePath(QStringLiteral("tvurl.dat"));
        fixture::makeDatabase(path, QString::fromUtf8(schema::catalogue) + rows);
        connection.setConnectionString(fixture::catalogueConnectionString(path));
    }

    std::unique_ptr<data::TableDataset> table(const QString& name, const QString& table,
                                              const QStringList& fields)
    {
        return std::make_unique<data::TableDataset>(name, &connection, table, fields);
    }

    QString scalar(const QString& sql) const { return fixture::scalar(path, sql); }

    QTemporaryDir dir;
    QString path;
    data::Connection connection;
};

inline const char* const sampleRows = R"sql(
INSERT INTO sheng(sheng) VALUES ('设计规范'), ('施工技术');
INSERT INTO diqu(diqu, sheng) VALUES
    ('混凝土', '设计规范'), ('钢结构', '设计规范'), ('模板', '施工技术'), ('钢结构', '施工技术');
INSERT INTO diantai(dt_ming, dt_wangzhi, diqu) VALUES
    ('梁', 'a\1.doc', '混凝土'), ('板', 'a\2.doc', '混凝土'), ('柱', 'a\3.doc', '钢结构');
)sql";
