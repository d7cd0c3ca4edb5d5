#include "Matching.h"

#include <algorithm>

QString stringByDeletingSpaces(const QString &string)
{
    QString result = string;
    result.remove(QLatin1Char(' '));
    return result;
}

QString foldedForMatching(const QString &string)
{
    return string.normalized(QString::NormalizationForm_D).toCaseFolded();
}

ApplicationList buildMatchingApplicationList(const QString &typedText,
                                             const ApplicationList &catalogue,
                                             const DisplayFilter &shouldDisplay,
                                             const UsageLookup &usageForPath)
{
    ApplicationList matches;
    const QString query = foldedForMatching(stringByDeletingSpaces(typedText));
    if (query.isEmpty())
        return matches;
    const QString wordStart = QLatin1Char(' ') + query;

    for (const ApplicationRef &app : catalogue) {
        const qsizetype position = app->foldedName().indexOf(query);
        if (position < 0 || !shouldDisplay(*app))
            continue;
        int relevance = 0;
        if (position == 0)
            relevance = 3;
        else if (app->foldedNameWithSpaces().contains(wordStart))
            relevance = 2;
        app->setRelevance(relevance);
        app->setUsage(usageForPath(app->path()));
        matches.append(app);
    }

    std::sort(matches.begin(), matches.end(), [](const ApplicationRef &a, const ApplicationRef &b) {
        return a->compareApplication(*b) < 0;
    });
    return matches;
}
