// A small XML reader for the host's definition files: elements, attributes and their text.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "host/plexport.h"

namespace plsim::detail {

struct XmlElement {
    std::wstring name;
    std::vector<std::pair<std::wstring, std::wstring>> attributes;  ///< values with entities replaced
    std::vector<XmlElement> children;
    std::wstring text;  ///< the character data directly inside, references replaced, CDATA as it stands

    /// The attribute's value, or null when the element has none of that name.
    PLHOST_API const std::wstring* attribute(const std::wstring& attributeName) const;
};

/// Reads a document: an optional byte-order mark, XML declaration, comments
/// and processing instructions around one root element. Attribute values and
/// character data may use the entities &quot; &amp; &lt; &gt; &apos; and
/// character references (&#233; &#xE9;); a bare '&' is refused. DOCTYPE
/// declarations are refused. False with `error` filled (and its line) when
/// the text is not such a document.
PLHOST_API bool parseXml(const std::wstring& text, XmlElement& root, std::wstring& error);

}  // namespace plsim::detail
