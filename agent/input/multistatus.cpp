#include "agent/input/multistatus.h"

#include <libxml/parser.h>
#include <libxml/tree.h>

#include <climits>
#include <memory>

namespace dayweave::agent {
namespace {

struct DocumentDeleter {
  void operator()(xmlDoc* document) const { xmlFreeDoc(document); }
};

std::string_view Text(const xmlChar* text) {
  return text == nullptr ? std::string_view() : reinterpret_cast<const char*>(text);
}

bool Is(const xmlNode* node, std::string_view space, std::string_view local) {
  return node->type == XML_ELEMENT_NODE && node->ns != nullptr && Text(node->ns->href) == space &&
         Text(node->name) == local;
}

XmlName NameOf(const xmlNode* node) {
  return {std::string(node->ns != nullptr ? Text(node->ns->href) : ""),
          std::string(Text(node->name))};
}

std::string ContentOf(const xmlNode* node) {
  xmlChar* content = xmlNodeGetContent(node);
  std::string text(Text(content));
  xmlFree(content);
  return text;
}

// The DAV: elements called `local` directly under `parent`.
template <typename Visit>
void EachChild(const xmlNode* parent, std::string_view local, Visit visit) {
  for (const xmlNode* child = parent->children; child != nullptr; child = child->next) {
    if (Is(child, kDavNamespace, local)) visit(child);
  }
}

// Whether a DAV: status element says 2xx ("HTTP/1.1 200 OK").
bool IsSuccess(const xmlNode* status) {
  const std::string line = ContentOf(status);
  const auto space = line.find(' ');
  return space != std::string::npos && line.compare(space + 1, 1, "2") == 0;
}

DavResponse ReadResponse(const xmlNode* node) {
  DavResponse response;
  EachChild(node, "href", [&](const xmlNode* href) { response.href = ContentOf(href); });
  EachChild(node, "propstat", [&](const xmlNode* propstat) {
    bool success = false;
    EachChild(propstat, "status", [&](const xmlNode* status) { success = IsSuccess(status); });
    if (!success) return;
    EachChild(propstat, "prop", [&](const xmlNode* prop) {
      for (const xmlNode* property = prop->children; property != nullptr;
           property = property->next) {
        if (property->type != XML_ELEMENT_NODE) continue;
        DavProperty read{NameOf(property), ContentOf(property), {}};
        for (const xmlNode* kind = property->children; kind != nullptr; kind = kind->next) {
          if (kind->type == XML_ELEMENT_NODE) read.children.push_back(NameOf(kind));
        }
        response.properties.push_back(std::move(read));
      }
    });
  });
  return response;
}

}  // namespace

const DavProperty* DavResponse::Find(std::string_view space, std::string_view local) const {
  for (const DavProperty& property : properties) {
    if (property.name.space == space && property.name.local == local) return &property;
  }
  return nullptr;
}

Multistatus ReadMultistatus(const std::string& body) {
  Multistatus answer;
  if (body.size() > static_cast<std::size_t>(INT_MAX)) {
    answer.error = "not well-formed XML";
    return answer;
  }
  std::unique_ptr<xmlDoc, DocumentDeleter> document(
      xmlReadMemory(body.data(), static_cast<int>(body.size()), nullptr, nullptr,
                    XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING));
  if (!document) {
    answer.error = "not well-formed XML";
    return answer;
  }
  const xmlNode* root = xmlDocGetRootElement(document.get());
  if (root == nullptr || !Is(root, kDavNamespace, "multistatus")) {
    answer.error = "no DAV multistatus";
    return answer;
  }
  EachChild(root, "response", [&](const xmlNode* node) {
    DavResponse response = ReadResponse(node);
    if (!response.href.empty()) answer.responses.push_back(std::move(response));
  });
  return answer;
}

}  // namespace dayweave::agent
