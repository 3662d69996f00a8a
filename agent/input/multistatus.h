// A WebDAV multistatus answer (RFC 4918 section 13), read with libxml2 into the properties
// each resource was found to have.
//
//   Multistatus answer = ReadMultistatus(body);
//   if (!answer.error.empty()) ...              // not well-formed XML, or no multistatus
//   for (const DavResponse& response : answer.responses)
//     if (const DavProperty* data = response.Find(kCalDavNamespace, "calendar-data")) ...
//
// Only the properties of a propstat whose status is 2xx are kept: a server lists the ones it
// does not have under 404. A response that names no href is left out. The parser loads no
// external entity or DTD and keeps libxml2's limits on nesting and entity expansion.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace dayweave::agent {

inline constexpr std::string_view kDavNamespace = "DAV:";
inline constexpr std::string_view kCalDavNamespace = "urn:ietf:params:xml:ns:caldav";

struct XmlName {
  std::string space;  // the namespace URI
  std::string local;
  bool operator==(const XmlName&) const = default;
};

struct DavProperty {
  XmlName name;
  std::string text;               // its text content, entities resolved
  std::vector<XmlName> children;  // the names of its child elements (resourcetype's kinds)
};

struct DavResponse {
  std::string href;
  std::vector<DavProperty> properties;
  const DavProperty* Find(std::string_view space, std::string_view local) const;
};

struct Multistatus {
  std::string error;  // "not well-formed XML" or "no DAV multistatus"; "" when read
  std::vector<DavResponse> responses;
};

// ReadMultistatus
// Reads a multistatus body; the responses keep the document's order.
Multistatus ReadMultistatus(const std::string& body);

}  // namespace dayweave::agent
