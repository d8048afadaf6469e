"""Re-skiing in the page: opens each link given on the command line in a
fresh headless Chromium and prints the line the page shows once it has
re-skied the run (ticks and seconds, so ticks per second and the time a
seek to the end takes). Then the first link is raced: the time its ghost
takes to prepare is the first picture of a game racing it less that of a
game alone (the median of five fresh browsers each)."""
import statistics
import sys

from web_page_test import Page, poll

# The page's own key for the run the next game races (platform/web/js/runs.js).
RACE_KEY = "snowvel-race-run"


def first_picture_ms(page):
    return poll("the first picture", lambda: page.js(
        "const m = performance.getEntriesByName('snowvel-first-picture');"
        "return m.length ? m[0].startTime : null;"), 60)


def median_first_picture(race=None, loads=5):
    times = []
    for _ in range(loads):
        scripts = ["sessionStorage.setItem(%r, %r)" % (RACE_KEY, race)] if race else []
        page = Page(scripts)
        try:
            page.driver.get(page.url)
            times.append(first_picture_ms(page))
        finally:
            page.close()
    return statistics.median(times)


def main(links):
    for link in links:
        page = Page()
        try:
            page.driver.get(page.url + "#" + link.split("#")[-1])
            note = poll("the re-skied result", lambda: page.js(
                "const n = document.getElementById('runs-note');"
                "return !n.hidden && n.textContent.includes('Re-skied') && n.textContent;"), 120)
            print("  page: " + note)
        finally:
            page.close()
    if links:
        alone = median_first_picture()
        racing = median_first_picture(links[0].split("#")[-1])
        print("  page: preparing the ghost of the first: %.0f ms (first picture %.0f ms racing it, "
              "%.0f ms alone)" % (racing - alone, racing, alone))


if __name__ == "__main__":
    main(sys.argv[1:])
