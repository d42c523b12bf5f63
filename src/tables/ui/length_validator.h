#pragma once
// A length limit on typing that leaves a longer text from a file alone.
// QLineEdit::setMaxLength would cut such a text when it is shown, and the
// next save would store the shortened text without a word; this limit only
// refuses edits that make the text longer than allowed.
#include <QLineEdit>
#include <QValidator>

namespace ks {

class LengthValidator : public QValidator {
public:
    LengthValidator(QLineEdit* edit, int max_length) : QValidator(edit), edit_(edit), max_(max_length) {}

    State validate(QString& input, int&) const override {
        if (input.size() <= max_ || input.size() < edit_->text().size()) return Acceptable;
        return Invalid;
    }

private:
    QLineEdit* edit_;
    int max_;
};

// Puts the limit on `edit`; 0 or less means no limit.
inline void Limit_Length(QLineEdit* edit, int max_length) {
    if (max_length > 0) edit->setValidator(new LengthValidator(edit, max_length));
}

}  // namespace ks
