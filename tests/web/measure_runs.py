"""Re-skiing in the page: opens each link given on the command line in a
fresh headless Chromium and prints the line the page shows once it has
re-skied the run (ticks and seconds, so ticks per second and the time a
seek to the end takes)."""
import sys

from web_page_test import Page, poll


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


if __name__ == "__main__":
    main(sys.argv[1:])
