"""A speech server for Orca that says nothing.

Orca logs every utterance ("SPEECH OUTPUT: '...'") before it hands it to its speech server;
the end-to-end cases read those lines. Under a test there is no sound card for speech-dispatcher,
whose replies then never come and hold Orca still; this server takes each utterance and drops
it, so Orca runs as it does for a pupil and only the synthesiser is missing. Orca writes its log
through a buffer: each utterance flushes it, so that its line is on disk as soon as it is said.

Orca loads it by name ("speechServerFactory": "voce_muta" in its settings) from PYTHONPATH.
"""

from orca import debug, speechserver


def _scrivi_registro():
    if debug.debugFile:
        debug.debugFile.flush()


class SpeechServer(speechserver.SpeechServer):
    _unico = None

    @staticmethod
    def getFactoryName():
        return "voce muta"

    @staticmethod
    def getSpeechServers():
        return [SpeechServer.getSpeechServer()]

    @staticmethod
    def getSpeechServer(info=None):
        if SpeechServer._unico is None:
            SpeechServer._unico = SpeechServer()
        return SpeechServer._unico

    @staticmethod
    def shutdownActiveServers():
        SpeechServer._unico = None

    def getInfo(self):
        return ["voce muta", "voce_muta"]

    def getVoiceFamilies(self):
        return []

    def speak(self, text=None, acss=None, interrupt=True):
        _scrivi_registro()

    def stop(self):
        # What a pupil would not hear: whatever was being said is cut off here.
        debug.println(debug.LEVEL_INFO, "SPEECH STOP", True)
        _scrivi_registro()

    def speakCharacter(self, character, acss=None):
        _scrivi_registro()

    def speakKeyEvent(self, event, acss=None):
        _scrivi_registro()

    def sayAll(self, utteranceIterator, progressCallback):
        # Orca logs these itself only when it has no server: log them as it would.
        for contesto, _ in utteranceIterator:
            debug.println(debug.LEVEL_INFO, "SPEECH OUTPUT: '" + contesto.utterance + "'", True)
        _scrivi_registro()
