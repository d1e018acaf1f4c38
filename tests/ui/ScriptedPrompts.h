// UserPrompts for tests: answers and file choices are queued in advance, and every question and
// message is recorded so tests can check the exact texts.
#pragma once

#include "ui/dialogs/UserPrompts.h"

#include <QStringList>
#include <deque>

namespace tobirae {

class ScriptedPrompts final : public UserPrompts {
public:
    struct Question {
        QString text;
        PromptButtons buttons;
    };
    struct FileDialog {
        bool save;
        FileRequest request;
    };

    std::deque<PromptAnswer> answers; // consumed by ask(); an empty queue answers "No"
    std::deque<QString> files;        // consumed by the file dialogs; empty = cancel
    std::deque<std::optional<QColor>> colours;

    std::vector<Question> questions;
    QStringList messages;
    std::vector<PromptIcon> messageIcons;
    std::vector<FileDialog> fileDialogs;
    struct ColourRequest {
        QColor initial;
        QString title;
    };
    std::vector<ColourRequest> colourRequests;

    PromptAnswer ask(const QString& text, PromptButtons buttons) override {
        questions.push_back({text, buttons});
        if (answers.empty())
            return PromptAnswer::No;
        const PromptAnswer answer = answers.front();
        answers.pop_front();
        return answer;
    }
    void message(const QString& text, PromptIcon icon) override {
        messages << text;
        messageIcons.push_back(icon);
    }
    QString openFileName(const FileRequest& request) override { return nextFile(false, request); }
    QString saveFileName(const FileRequest& request) override { return nextFile(true, request); }
    QString folderName(const FileRequest& request) override { return nextFile(true, request); }
    std::optional<QColor> pickColour(const QColor& initial, const QString& title) override {
        colourRequests.push_back({initial, title});
        if (colours.empty())
            return std::nullopt;
        auto colour = colours.front();
        colours.pop_front();
        return colour;
    }

    QStringList questionTexts() const {
        QStringList texts;
        for (const Question& q : questions)
            texts << q.text;
        return texts;
    }

private:
    QString nextFile(bool save, const FileRequest& request) {
        fileDialogs.push_back({save, request});
        if (files.empty())
            return {};
        QString file = files.front();
        files.pop_front();
        return file;
    }
};

} // namespace tobirae
