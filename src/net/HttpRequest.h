#pragma once

#include "model/Operation.h"

#include <QByteArray>
#include <QPointer>
#include <QString>

#include <chrono>

class QNetworkAccessManager;
class QNetworkReply;
class QNetworkRequest;

// One HTTP exchange as an Operation: it owns the transfer time-out, the cap
// on the answer's size, cancellation and the one finished() signal, and
// sorts whatever happened into one outcome. Callers decide what to ask and
// what an answer means.
//
// Main thread only (the network access manager's thread).
class HttpRequest final : public Operation {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(HttpRequest)

public:
    enum class Outcome {
        answered, // the server's answer arrived: status() and body()
        cancelled, // cancel() came first
        failed, // no answer: errorString() tells why (refused, unknown host, …)
        timedOut, // the transfer went quiet for longer than the time-out
        tooLarge, // the answer's body passed the cap; status() is still known
    };

    struct Limits {
        // Time the transfer may go without any traffic.
        std::chrono::milliseconds timeout;
        qint64 maxBodyBytes;
    };

    static HttpRequest *get(QNetworkAccessManager &network, const QNetworkRequest &request,
                            Limits limits, QObject *parent = nullptr);
    static HttpRequest *post(QNetworkAccessManager &network, const QNetworkRequest &request,
                             const QByteArray &body, Limits limits, QObject *parent = nullptr);

    ~HttpRequest() override;

    // Valid once finished().
    Outcome outcome() const { return m_outcome; }
    // The HTTP status, 0 when none arrived (or the answer was not HTTP).
    int status() const { return m_status; }
    const QByteArray &body() const { return m_body; }
    QString errorString() const { return m_errorString; }

private:
    HttpRequest(QNetworkReply *reply, qint64 maxBodyBytes, QObject *parent);
    void onCancel() override;
    void complete();

    QPointer<QNetworkReply> m_reply;
    qint64 m_maxBodyBytes;
    bool m_tooLarge = false;

    Outcome m_outcome = Outcome::failed;
    int m_status = 0;
    QByteArray m_body;
    QString m_errorString;
};
