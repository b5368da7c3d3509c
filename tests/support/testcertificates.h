#ifndef TESTCERTIFICATES_H
#define TESTCERTIFICATES_H

#include <QString>

// An authority and a certificate it signed for 127.0.0.1 and localhost,
// made with openssl in `folder`, and a second authority that signed
// nothing the broker shows: ca.pem, server.pem, server.key, other-ca.pem.
// False if openssl failed.
bool makeTestCertificates(const QString &folder);

#endif
