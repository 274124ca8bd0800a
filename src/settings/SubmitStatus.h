#pragma once

#include <QMetaType>
#include <QString>

// Where the newsletter subscription stands. A failure carries the message
// that the prompt shows below the address field.
class SubmitStatus final {
public:
    enum class Kind { failure, idle, submitting, success };

    SubmitStatus() = default;

    static SubmitStatus idle() { return SubmitStatus(Kind::idle); }
    static SubmitStatus submitting() { return SubmitStatus(Kind::submitting); }
    static SubmitStatus success() { return SubmitStatus(Kind::success); }
    static SubmitStatus failure(const QString &message);

    Kind kind() const { return m_kind; }
    bool isFailure() const { return m_kind == Kind::failure; }
    bool isSubmitting() const { return m_kind == Kind::submitting; }
    bool isSuccess() const { return m_kind == Kind::success; }
    // Empty unless this is a failure.
    const QString &message() const { return m_message; }

    friend bool operator==(const SubmitStatus &, const SubmitStatus &) = default;

private:
    explicit SubmitStatus(Kind kind, const QString &message = {});

    Kind m_kind = Kind::idle;
    QString m_message;
};

Q_DECLARE_METATYPE(SubmitStatus)
