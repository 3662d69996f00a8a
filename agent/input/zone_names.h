// The IANA zone that a TZID stands for, as calendar programs write TZIDs.
//
//   IanaZoneName("Europe/Berlin");                              // "Europe/Berlin"
//   IanaZoneName("/mozilla.org/20070129_1/America/New_York");   // "America/New_York"
//   IanaZoneName("/freeassociation.sourceforge.net/Tzfile/Europe/Stockholm");
//                                                               // "Europe/Stockholm"
//   IanaZoneName("W. Europe Standard Time");                    // "Europe/Berlin"
//   IanaZoneName("Nowhere/Atlantis");                           // nothing
//
// Exporters decorate zone names: older Thunderbird and libical itself put a publisher prefix
// before the IANA name, some programs a bare leading slash, and Outlook and Exchange write
// Windows zone names. A name is resolved in this order: as written; then each tail of it
// that follows a '/', longest first (so a prefix of any depth falls away, but a tail is taken
// only when it is itself a zone the system knows); then as a Windows zone name, through the
// mapping of Windows zones to IANA zones that ICU carries (the zone of the Windows name's
// main region). A result is always a name that FindZone knows.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace dayweave::agent {

// IanaNameIn
// The IANA name (or a UTC name) that `tzid` spells, as written or behind a prefix; nothing
// when it spells none that the system knows (a Windows name spells none).
std::optional<std::string> IanaNameIn(std::string_view tzid);

// IanaZoneName
// The IANA name that `tzid` stands for: the one it spells, else the zone of its Windows name;
// nothing when it names no zone the system knows.
std::optional<std::string> IanaZoneName(std::string_view tzid);

}  // namespace dayweave::agent
