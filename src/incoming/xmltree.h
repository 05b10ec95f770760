#pragma once
// An XML file from outside as a small tree of elements, read with Qt's stream reader under limits:
// no document type definition (so no entity of its own and nothing from outside), at most 64 levels
// of nesting and a bounded number of elements. The readers of the invoice syntaxes walk the tree by
// the elements' local names; namespace prefixes do not matter.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_set>
#include <utility>
#include <vector>

namespace incoming {

/// Deeper nesting is refused.
inline constexpr int kMaxXmlDepth = 64;
/// More elements are refused: an invoice of 10 000 lines has about 600 000.
inline constexpr std::size_t kMaxXmlElements = 2'000'000;

struct XmlNode {
    /// The local name, without prefix.
    std::string_view name;
    /// The character data directly inside, UTF-8, as written (blanks kept).
    std::string text;
    /// Attributes by local name.
    std::vector<std::pair<std::string_view, std::string>> attributes;
    std::vector<XmlNode> children;

    /// The first child of that name, or nullptr.
    const XmlNode* child(std::string_view childName) const;
    /// Every child of that name, in document order.
    std::vector<const XmlNode*> all(std::string_view childName) const;
    /// The value of the attribute, "" when it has none.
    std::string_view attribute(std::string_view attributeName) const;
};

/// The first element down a path of child names from node ({"A", "B"}: the first B in the first A);
/// nullptr when node is nullptr or a step is missing.
const XmlNode* descend(const XmlNode* node, std::initializer_list<std::string_view> path);

struct XmlTree {
    XmlNode root;
    /// The namespace URI of the root element.
    std::string rootNamespace;
    /// The element and attribute names, held once for the whole tree.
    std::unordered_set<std::string> names;
};

/// The tree of bytes, or the reason it could not be read, a German phrase that completes "Die Datei
/// ist keine lesbare E-Rechnung: <Grund>." ("sie ist kein wohlgeformtes XML (Zeile 3)").
struct XmlReading {
    std::optional<XmlTree> tree;
    std::string refusal;
};

XmlReading readXmlTree(std::string_view bytes);

} // namespace incoming
