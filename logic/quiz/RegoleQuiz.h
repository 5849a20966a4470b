#pragma once

#include <QObject>

namespace cartavia {

// What the rules of every quiz tell about an answer, once its counter has moved and its sound
// is playing: the counters as they now stand (when one moved), then the verdict.
class RegoleQuiz : public QObject
{
    Q_OBJECT
public:
    using QObject::QObject;

signals:
    void contatoriCambiati(int esatti, int errati);
    void rispostaData(bool giusta);
};

} // namespace cartavia
