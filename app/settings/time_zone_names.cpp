#include "app/settings/time_zone_names.h"

#include "runtime/text.h"

namespace settings {
namespace {

constexpr TimeZoneMapping kMappings[] = {
    {"Dateline Standard Time", "Etc/GMT+12"},
    {"UTC-11", "Etc/GMT+11"},
    {"Aleutian Standard Time", "America/Adak"},
    {"Hawaiian Standard Time", "Pacific/Honolulu"},
    {"Marquesas Standard Time", "Pacific/Marquesas"},
    {"Alaskan Standard Time", "America/Anchorage"},
    {"UTC-09", "Etc/GMT+9"},
    {"Pacific Standard Time", "America/Los_Angeles"},
    {"Pacific Standard Time (Mexico)", "America/Tijuana"},
    {"UTC-08", "Etc/GMT+8"},
    {"Mountain Standard Time", "America/Denver"},
    {"Mountain Standard Time (Mexico)", "America/Chihuahua"},
    {"US Mountain Standard Time", "America/Phoenix"},
    {"Central Standard Time", "America/Chicago"},
    {"Central Standard Time (Mexico)", "America/Mexico_City"},
    {"Central America Standard Time", "America/Guatemala"},
    {"Easter Island Standard Time", "Pacific/Easter"},
    {"Mexico Standard Time", "America/Mexico_City"},
    {"Canada Central Standard Time", "America/Regina"},
    {"SA Pacific Standard Time", "America/Bogota"},
    {"Eastern Standard Time", "America/New_York"},
    {"US Eastern Standard Time", "America/Detroit"},
    {"Paraguay Standard Time", "America/Asuncion"},
    {"Atlantic Standard Time", "America/Halifax"},
    {"Venezuela Standard Time", "America/Caracas"},
    {"Central Brazilian Standard Time", "America/Cuiaba"},
    {"E. South America Standard Time", "America/Sao_Paulo"},
    {"Argentina Standard Time", "America/Buenos_Aires"},
    {"Greenland Standard Time", "America/Godthab"},
    {"Montevideo Standard Time", "America/Montevideo"},
    {"Bahia Standard Time", "America/Bahia"},
    {"GMT Standard Time", "Europe/London"},
    {"Greenwich Standard Time", "Atlantic/Reykjavik"},
    {"W. Europe Standard Time", "Europe/Berlin"},
    {"Central Europe Standard Time", "Europe/Budapest"},
    {"Romance Standard Time", "Europe/Paris"},
    {"E. Europe Standard Time", "Europe/Bucharest"},
    {"Egypt Standard Time", "Africa/Cairo"},
    {"South Africa Standard Time", "Africa/Johannesburg"},
    {"Jerusalem Standard Time", "Asia/Jerusalem"},
    {"Arabic Standard Time", "Asia/Baghdad"},
    {"Iran Standard Time", "Asia/Tehran"},
    {"Arabian Standard Time", "Asia/Dubai"},
    {"Afghanistan Standard Time", "Asia/Kabul"},
    {"India Standard Time", "Asia/Kolkata"},
    {"Sri Lanka Standard Time", "Asia/Colombo"},
    {"Nepal Standard Time", "Asia/Kathmandu"},
    {"Central Asia Standard Time", "Asia/Almaty"},
    {"Myanmar Standard Time", "Asia/Yangon"},
    {"SE Asia Standard Time", "Asia/Bangkok"},
    {"China Standard Time", "Asia/Shanghai"},
    {"North Asia Standard Time", "Asia/Krasnoyarsk"},
    {"Tokyo Standard Time", "Asia/Tokyo"},
    {"Korea Standard Time", "Asia/Seoul"},
    {"AUS Eastern Standard Time", "Australia/Sydney"},
    {"Australian Central Standard Time", "Australia/Adelaide"},
    {"Tasmania Standard Time", "Australia/Hobart"},
    {"Magadan Standard Time", "Asia/Magadan"},
    {"Pacific SA Standard Time", "America/Santiago"},
    {"SA Western Standard Time", "America/La_Paz"},
    {"New Zealand Standard Time", "Pacific/Auckland"},
    {"Fiji Standard Time", "Pacific/Fiji"},
    {"Tonga Standard Time", "Pacific/Tongatapu"},
    {"Samoa Standard Time", "Pacific/Apia"},
};

}  // namespace

std::span<const TimeZoneMapping> TimeZoneMappings() { return kMappings; }

std::string GetWindowsTimeZoneName() {
  return GetWindowsTimeZoneName(platform::SystemEnvironment(), {});
}

std::string GetWindowsTimeZoneName(const platform::Environment& environment,
                                   const platform::SystemZoneFiles& files) {
  const std::string zone = platform::SystemTimeZoneName(environment, files);
  if (zone.empty()) return {};
  for (const TimeZoneMapping& mapping : kMappings) {
    if (zone == mapping.IanaName) return mapping.WindowsName;
  }
  for (const TimeZoneMapping& mapping : kMappings) {
    if (platform::SameZone(zone, mapping.IanaName, files)) return mapping.WindowsName;
  }
  return {};
}

std::string WindowsToIanaTimeZone(std::string_view windowsName) {
  const std::string name = runtime::LCase(runtime::Trim(windowsName));
  for (const TimeZoneMapping& mapping : kMappings) {
    if (name == runtime::LCase(mapping.WindowsName)) return mapping.IanaName;
  }
  return "UTC";
}

}  // namespace settings
