#include "cli/report_html.h"

#include <cstdint>

#include <nettle/base64.h>

#include "cli/png_writer.h"
#include "render/text_decode.h"

namespace pindrel::cli {

namespace {

constexpr std::string_view kStyle = R"(
body { font: 14px/1.4 sans-serif; color: #222; background: #f4f4f4; margin: 16px; }
h1 { font-size: 20px; margin: 0 0 8px; }
h2 { font-size: 16px; margin: 24px 0 8px; }
.verdict { font-size: 16px; font-weight: bold; padding: 6px 10px; display: inline-block; }
.differs { background: #fdd; color: #900; }
.same { background: #dfd; color: #060; }
table { border-collapse: collapse; margin: 8px 0; }
th, td { text-align: left; padding: 2px 12px 2px 0; vertical-align: top; }
td.bad { color: #900; }
.screen { background: #fff; border: 1px solid #ccc; padding: 8px 12px; margin: 12px 0; }
.screen h3 { font-size: 14px; margin: 0 0 8px; }
.screen h3 span { font-weight: normal; color: #555; margin-left: 8px; }
.screen.changed h3 span { color: #900; }
.row { display: flex; gap: 16px; align-items: flex-start; flex-wrap: wrap; }
figure { margin: 0; }
figcaption { font-size: 12px; color: #555; }
img { display: block; image-rendering: pixelated; border: 1px solid #888; }
.missing { width: 240px; height: 80px; border: 1px dashed #900; color: #900; padding: 4px; }
pre { background: #fff; border: 1px solid #ccc; padding: 8px; white-space: pre-wrap; }
)";

std::string Base64(std::string_view bytes) {
    std::string out(BASE64_ENCODE_RAW_LENGTH(bytes.size()), '\0');
    base64_encode_raw(out.data(), bytes.size(), reinterpret_cast<const uint8_t*>(bytes.data()));
    return out;
}

std::string Figure(ConstPixelView picture, std::string_view caption, std::string_view alt) {
    std::string html = "<figure>";
    const std::optional<std::string> png =
        picture.Empty() ? std::nullopt : EncodePng(picture, nullptr);
    if (png) {
        html += "<img width=\"" + std::to_string(picture.width) + "\" height=\"" +
                std::to_string(picture.height) + "\" alt=\"" + HtmlEscape(alt) +
                "\" src=\"data:image/png;base64," + Base64(*png) + "\">";
    } else {
        html += "<div class=\"missing\">no picture</div>";
    }
    html += "<figcaption>" + HtmlEscape(caption) + "</figcaption></figure>";
    return html;
}

std::string ScreenSection(const Comparison& c, const ScreenComparison& s) {
    const std::string name = ScreenName(s.screen);
    const bool changed = !s.expected || !s.diff.Same();
    const ConstPixelView expected = s.expected ? s.expected->View() : ConstPixelView{};
    const Canvas diff = DiffPicture(expected, s.actual.View(), c.tolerance);
    std::string html = "<section class=\"screen" + std::string(changed ? " changed" : "") +
                       "\" id=\"" + name + "\"><h3>" + name + "<span>" +
                       HtmlEscape(ScreenSummary(s)) + "</span></h3><div class=\"row\">";
    html += Figure(expected, "expected: " + c.expectedName, name + " expected");
    html += Figure(s.actual.View(), "actual: " + c.actualName, name + " actual");
    html += Figure(diff.View(), "diff: " + std::to_string(s.diff.changed) + " changed, in red",
                   name + " diff");
    html += "</div></section>\n";
    return html;
}

std::string FontLines(const Comparison& c) {
    if (c.fonts.empty()) return {};
    Comparison fontsOnly;
    fontsOnly.expectedName = c.expectedName;
    fontsOnly.actualName = c.actualName;
    fontsOnly.fonts = c.fonts;
    return "<p class=\"verdict differs\">The fonts differ</p><pre>" +
           HtmlEscape(FormatComparison(fontsOnly)) + "</pre>\n";
}

} // namespace

std::string HtmlEscape(std::string_view text) {
    const std::string utf8 = ToWellFormedUtf8(text);
    std::string out;
    out.reserve(utf8.size());
    for (const char ch : utf8) {
        switch (ch) {
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        case '"':
            out += "&quot;";
            break;
        case '\'':
            out += "&#39;";
            break;
        default:
            out += ch;
        }
    }
    return out;
}

void AppendSettingFacts(std::vector<std::pair<std::string, std::string>>& facts,
                        const Snapshot& s) {
    const CallerInfo& i = s.info;
    facts.emplace_back("drawn by", s.tool);
    facts.emplace_back("dpi", std::to_string(s.dpi));
    facts.emplace_back("time", s.time);
    facts.emplace_back("sample data", i.name + " / " + i.company + " / " + i.job + " / " +
                                          i.categories + " / " + i.phone + " (" + i.phoneType +
                                          ") / " + i.nick);
    facts.emplace_back("photo", s.photo ? s.photo->file : "the built-in sample photo");
    std::string fonts;
    for (const FileDigest& f : s.fonts)
        fonts += (fonts.empty() ? "" : ", ") + f.file;
    facts.emplace_back("fonts", fonts.empty() ? "none" : fonts);
}

std::string FormatReport(const Comparison& c, const ReportPage& page) {
    size_t changed = 0;
    for (const ScreenComparison& s : c.screens)
        changed += !s.expected || !s.diff.Same() ? 1 : 0;

    std::string html = "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n";
    // Nothing but the inline style and the pictures in the page may load, whoever opens it.
    html += "<meta http-equiv=\"Content-Security-Policy\" content=\"default-src 'none'; "
            "img-src data:; style-src 'unsafe-inline'\">\n";
    html += "<title>" + HtmlEscape(page.title) + "</title>\n<style>" + std::string(kStyle) +
            "</style>\n</head>\n<body>\n";
    html += "<h1>" + HtmlEscape(page.title) + "</h1>\n";

    // Summary
    html += std::string("<p class=\"verdict ") + (c.Differs() ? "differs" : "same") + "\">" +
            (changed == 0
                 ? std::string("All ") + std::to_string(c.screens.size()) + " screens are the same"
                 : std::to_string(changed) + " of " + std::to_string(c.screens.size()) +
                       " screens differ") +
            "</p>\n";
    html += FontLines(c);
    html += "<table class=\"facts\">\n";
    for (const auto& [label, value] : page.facts)
        html += "<tr><th>" + HtmlEscape(label) + "</th><td>" + HtmlEscape(value) + "</td></tr>\n";
    html += "<tr><th>tolerance</th><td>" + std::to_string(c.tolerance) +
            " per channel</td></tr>\n</table>\n";
    for (const std::string& note : page.notes)
        html += "<p>" + HtmlEscape(note) + "</p>\n";
    html += "<table class=\"screens\">\n";
    for (const ScreenComparison& s : c.screens) {
        const std::string name = ScreenName(s.screen);
        const bool bad = !s.expected || !s.diff.Same();
        html += "<tr><td><a href=\"#" + name + "\">" + name + "</a></td><td" +
                (bad ? " class=\"bad\"" : "") + ">" + HtmlEscape(ScreenSummary(s)) + "</td></tr>\n";
    }
    html += "</table>\n";

    html += "<h2>Screens</h2>\n";
    for (const ScreenComparison& s : c.screens)
        html += ScreenSection(c, s);

    html += "<h2>Lint findings of " + HtmlEscape(page.lintSkin) + "</h2>\n";
    if (page.lint.empty()) {
        html += "<p>None.</p>\n";
    } else {
        html += "<pre>";
        for (const LintFinding& f : page.lint)
            html += HtmlEscape(FormatFinding(f)) + "\n";
        html += "</pre>\n";
    }
    html += "</body>\n</html>\n";
    return html;
}

} // namespace pindrel::cli
