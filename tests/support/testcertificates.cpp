#include "testcertificates.h"

#include <QDir>
#include <QFile>
#include <QProcess>

namespace {

bool openssl(const QString &folder, const QStringList &arguments)
{
    QProcess process;
    process.setWorkingDirectory(folder);
    process.start(QStringLiteral("openssl"), arguments);
    return process.waitForFinished(30000) && process.exitStatus() == QProcess::NormalExit
            && process.exitCode() == 0;
}

bool makeAuthority(const QString &folder, const QString &name)
{
    return openssl(folder, { "req", "-x509", "-newkey", "rsa:2048", "-nodes", "-days", "2", "-subj",
                             "/CN=Duplink test " + name, "-keyout", name + ".key", "-out", name + ".pem" });
}

} // namespace

bool makeTestCertificates(const QString &folder)
{
    QFile extensions(QDir(folder).filePath(QStringLiteral("server.ext")));
    if (!extensions.open(QIODevice::WriteOnly))
        return false;
    extensions.write("subjectAltName=IP:127.0.0.1,DNS:localhost\n");
    extensions.close();
    return makeAuthority(folder, QStringLiteral("ca")) && makeAuthority(folder, QStringLiteral("other-ca"))
            && openssl(folder, { "req", "-newkey", "rsa:2048", "-nodes", "-subj", "/CN=127.0.0.1", "-keyout",
                                 "server.key", "-out", "server.csr" })
            && openssl(folder, { "x509", "-req", "-in", "server.csr", "-CA", "ca.pem", "-CAkey", "ca.key",
                                 "-CAcreateserial", "-days", "2", "-extfile", "server.ext", "-out", "server.pem" });
}
