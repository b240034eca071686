#pragma once

// A temporary program folder for Firmbook tests: the program is moved there
// for the fixture's lifetime, and data/com.mdb is made from a few SQL rows,
// keyed as the program expects.
#include "common/data/programfolder.h"
#include "support/dbfixture.h"
#include "tools/schema.h"

#include <QDir>
#include <QTemporaryDir>

namespace firmbooktest {

inline const QString password = QStringLiteral("2917061");

// Five companies; row 3 has no fax and no business line, row 5 has a double
// quote and a '%' in its name.
inline const char* const sampleRows = R"sql(
INSERT INTO cominfo(name, lxr, tel, fax, address, postcode, email, url, jj) VALUES
('福州恒基建材有限公司', '于海兰', '0591-3356297', '0591-3356298', '福建省福州市工业路1号',
 '350094', 'sales@hengji.example.cn', 'www.hengji.example.cn', '水泥、砂石
商品混凝土'),
('西安通达建筑工程有限公司', '苏春', '029-1234567', '029-1234568', '陕西省西安市长安路2号',
 '710000', 'info@tongda.example.cn', 'www.tongda.example.cn', '建筑工程施工总承包'),
('广州通达建筑设计院', '彭志', '020-7654321', NULL, '广东省广州市天河路3号',
 '510000', 'design@tongda.example.com', NULL, NULL),
('合肥博远电气安装工程有限公司', '周楠', '0551-1111111', '0551-2222222', '安徽省合肥市长江路4号',
 '230000', 'by@boyuan.example.cn', 'www.boyuan.example.cn', '电气安装　防雷工程'),
('"金石" 100%钢结构有限公司', '于_明', '0571-3333333', '0571-4444444', '浙江省杭州市西湖路5号',
 '310000', 'js@jinshi.example.cn', 'www.jinshi.example.cn', '钢结构设计与施工');
)sql";

class DirectoryFolder
{
public:
    // `subfolder` puts the program deeper into the temporary folder, for
    // paths with blanks or Chinese characters.
    explicit DirectoryFolder(const QString& subfolder = {})
    {
        m_path = m_dir.path() + QLatin1Char('/');
        if (!subfolder.isEmpty()) {
            m_path += subfolder + QLatin1Char('/');
            QDir().mkpath(m_path);
        }
        QDir().mkpath(m_path + QStringLiteral("data"));
        data::ProgramFolder::setOverride(m_path);
    }
    ~DirectoryFolder() { data::ProgramFolder::setOverride(QString()); }
    DirectoryFolder(const DirectoryFolder&) = delete;
    DirectoryFolder& operator=(const DirectoryFolder&) = delete;

    // Ends in '/', as the program folder does.
    QString path() const { return m_path; }
    QString database() const { return m_path + QStringLiteral("data/com.mdb"); }

    void makeDirectory(const QString& rows = QString::fromUtf8(sampleRows),
                       const QString& key = password) const
    {
        fixture::makeDatabase(database(), QString::fromUtf8(schema::directory) + rows, key);
    }
    void execute(const QString& sql) const { fixture::execute(database(), sql, password); }
    QString scalar(const QString& sql) const { return fixture::scalar(database(), sql, password); }

private:
    QTemporaryDir m_dir;
    QString m_path;
};

} // namespace firmbooktest
