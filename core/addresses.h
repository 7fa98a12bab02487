#pragma once

#include <QLatin1StringView>

// Every web address the program knows. The program only hands them to the browser or writes
// them into pages; it never connects anywhere itself.
namespace Addresses {

inline constexpr QLatin1StringView MakerHost{"www.rankwright.com"};
inline constexpr QLatin1StringView MakerHomePage{"http://www.rankwright.com"};
inline constexpr QLatin1StringView MakerSubmissionPage{"http://www.rankwright.com/Search.html"};
inline constexpr QLatin1StringView TipsExampleAddress{"http://www.rankwright.com/Search/search_engine_secrets.html"};
inline constexpr QLatin1StringView MakerContactEmail{"tips@rankwright.com"};

// Home pages linked from the hidden external link row, in the order the row uses them.
inline constexpr QLatin1StringView HotBotHome{"http://www.hotbot.com"};
inline constexpr QLatin1StringView AltaVistaHome{"http://www.altavista.com"};
inline constexpr QLatin1StringView AolHome{"http://www.aol.com"};
inline constexpr QLatin1StringView ExciteHome{"http://www.excite.com"};
inline constexpr QLatin1StringView LycosHome{"http://www.lycos.com"};
inline constexpr QLatin1StringView WebCrawlerHome{"http://www.webcrawler.com"};
inline constexpr QLatin1StringView InfoSeekHome{"http://www.infoseek.com"};
inline constexpr QLatin1StringView PublisherHome = MakerHomePage;
inline constexpr QLatin1StringView MagellanHome{"http://magellan.excite.com"};

} // namespace Addresses
