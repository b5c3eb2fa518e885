#pragma once

#include <QString>

#include <expat.h>

#include <functional>
#include <string_view>

// Event-driven reading of one XML part in chunks, so that a part of any size costs a fixed
// buffer. A document type declaration (the carrier of entity definitions and entity bombs)
// refuses the file before anything in it is expanded.
class XmlStream
{
public:
    class Handler
    {
    public:
        virtual ~Handler() = default;
        // Element names come without their namespace prefix; attrs alternate name and value.
        virtual void startElement(std::string_view name, const char** attrs) = 0;
        virtual void endElement(std::string_view name) = 0;
        virtual void characters(std::string_view text) = 0;
    };

    // Where the part's bytes come from: up to max bytes into data, 0 at the end, or -1 with the
    // reason in error.
    using Source = std::function<qint64(char* data, qint64 max, QString& error)>;

    XmlStream(const QString& partName, Source source, Handler& handler);
    ~XmlStream();
    XmlStream(const XmlStream&) = delete;
    XmlStream& operator=(const XmlStream&) = delete;

    // False with errorString() when no parser can be made.
    bool open();
    // Parses the next chunk; false once the document has ended or failed.
    bool feed();
    // Opens and parses the whole part; false with errorString() when it failed.
    bool parseWhole();
    // Stops the parse from inside a handler with the reason given.
    void fail(const QString& reason);
    bool failed() const { return !error_.isEmpty(); }
    QString errorString() const { return error_; }

    // The value of an unprefixed attribute in expat's list, or nullptr.
    static const char* attribute(const char** attrs, std::string_view name);

private:
    static void onStart(void* self, const XML_Char* name, const XML_Char** attrs);
    static void onEnd(void* self, const XML_Char* name);
    static void onText(void* self, const XML_Char* text, int length);
    static void onDoctype(void* self, const XML_Char*, const XML_Char*, const XML_Char*, int);

    QString partName_;
    Source source_;
    Handler& handler_;
    XML_Parser parser_ = nullptr;
    QString error_;
    bool ended_ = false;
};
