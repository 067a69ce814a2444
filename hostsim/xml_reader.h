// A small XML reader for the host's definition files: elements and attributes, nothing more.
#pragma once

#include <string>
#include <utility>
#include <vector>

namespace plsim::detail {

struct XmlElement {
    std::wstring name;
    std::vector<std::pair<std::wstring, std::wstring>> attributes;  ///< values with entities replaced
    std::vector<XmlElement> children;

    /// The attribute's value, or null when the element has none of that name.
    const std::wstring* attribute(const std::wstring& attributeName) const;
};

/// Reads a document: an optional byte-order mark, XML declaration, comments
/// and processing instructions around one root element. Character data and
/// CDATA sections are skipped. Attribute values may use the entities &quot;
/// &amp; &lt; &gt; &apos; and character references (&#233; &#xE9;). DOCTYPE
/// declarations are refused. False with `error` filled (and its line) when
/// the text is not such a document.
bool parseXml(const std::wstring& text, XmlElement& root, std::wstring& error);

}  // namespace plsim::detail
